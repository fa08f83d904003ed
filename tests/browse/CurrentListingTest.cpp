// The current listing's decisions, seen through a host and a tree that record what they are
// asked: choosing a folder, a search's start and end, requests made by the panes (carried out
// after the pane's handler, the latest folder choice winning), and requests for a listing that
// has since been replaced.
#include "CurrentListing.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {
using Log = std::vector<std::string>;

struct RecordingHost : ListingHost {
    void ShowFolderInCaption(const char* folder) override {
        log.push_back(std::string("caption ") + folder);
    }
    void ShowStatus(const char* text) override { status = text; }
    void EmptyLists() override { log.push_back("empty"); }
    void FillFromFolder(const char* folder) override {
        log.push_back(std::string("fill ") + folder);
    }
    void AddFiles(const std::vector<std::string>& paths) override {
        for (const std::string& path : paths)
            log.push_back("add " + path);
    }
    bool IsFileListFilling() const override { return filling; }
    void FocusFile(const char* path) override { log.push_back(std::string("focus ") + path); }
    // As the search form does, a running search hands over its last files as it ends.
    void EndSearch() override {
        log.push_back("end search");
        if (listing)
            listing->FilesFound({"C:\\late.exe"});
    }
    void ShowSearchPage(const char* path) override {
        log.push_back(std::string("search page ") + path);
    }
    Log Take() { return std::exchange(log, {}); }

    Log log;
    std::string status;
    bool filling = false;
    ListingRequests* listing = nullptr;
};

struct RecordingTree : FolderSelector {
    HTREEITEM SetSelectedPath(const char* path, bool expand) override {
        log->push_back(std::string("select ") + path + (expand ? " expanded" : ""));
        return nullptr;
    }
    bool GoBack() override { return false; }
    bool GoForward() override { return false; }
    void UpOneLevel() override {}
    void Refresh() override {}
    Log* log = nullptr;
};

const char kWindows[] = "C:\\windows";
const char kSystem[] = "C:\\windows\\system32";
const std::string kTitle = "caption ";
} // namespace

class Listing : public ::testing::Test {
protected:
    void SetUp() override {
        listing.SetHost(&host);
        listing.SetFolderTree(&tree);
        tree.log = &host.log;
    }
    RecordingHost host;
    RecordingTree tree;
    CurrentListing listing;
};

TEST_F(Listing, ChoosingAFolderEndsTheSearchWithoutTakingItsLastFilesThenEmptiesAndFills) {
    host.listing = &listing;
    listing.StartSearchListing();
    EXPECT_EQ(listing.AddFoundFiles({"C:\\a.exe", ""}), 1);
    EXPECT_EQ(host.Take(), (Log{"empty", "add C:\\a.exe"}));
    const unsigned searchGeneration = listing.GetGeneration();

    listing.ShowFolder(kWindows);
    EXPECT_EQ(host.Take(), (Log{kTitle + kWindows, "end search", "empty", "fill C:\\windows"}));
    EXPECT_EQ(listing.GetKind(), CurrentListing::Kind::Folder);
    EXPECT_EQ(listing.GetGeneration(), searchGeneration + 1);
    ui::PumpPending();
    EXPECT_TRUE(host.Take().empty()); // the files handed over at the end were not taken
    // Found files reach a folder's listing neither at once nor posted.
    EXPECT_EQ(listing.AddFoundFiles({"C:\\b.exe"}), 0);
    listing.FilesFound({"C:\\b.exe"});
    ui::PumpPending();
    EXPECT_TRUE(host.Take().empty());

    // A search started from its form: the start and its files wait for the form's handler.
    listing.SearchStarting();
    listing.FilesFound({"C:\\c.exe"});
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(listing.IsSettling());
    ui::PumpPending();
    EXPECT_EQ(host.Take(), (Log{"empty", "add C:\\c.exe"}));
    EXPECT_FALSE(listing.IsSettling());
}

TEST_F(Listing, PanesRequestsRunAfterTheirHandlerAndTheLatestFolderChoiceWins) {
    // The tree selects every folder on the way to the one it is given.
    listing.FolderSelected("C:\\");
    listing.FolderSelected(kWindows);
    listing.FolderSelected(kSystem);
    EXPECT_TRUE(host.log.empty());
    ui::PumpPending();
    EXPECT_EQ(host.Take(),
              (Log{kTitle + kSystem, "end search", "empty", "fill " + std::string(kSystem)}));

    // The computer and other items without a folder show nothing.
    listing.FolderSelected("My Computer");
    ui::PumpPending();
    EXPECT_TRUE(host.Take().empty());

    // A click on the folder already selected shows it only when it is not what is shown.
    listing.SelectedFolderClicked(kSystem);
    ui::PumpPending();
    EXPECT_TRUE(host.Take().empty());
    listing.StartSearchListing();
    host.Take();
    listing.SelectedFolderClicked(kSystem);
    ui::PumpPending();
    EXPECT_EQ(host.Take().back(), "fill " + std::string(kSystem));

    // A folder row opened: the tree moves there, expanded, and the folder is shown.
    listing.OpenFolder(kWindows);
    EXPECT_TRUE(host.log.empty());
    ui::PumpPending();
    EXPECT_EQ(host.Take(), (Log{"select C:\\windows expanded", kTitle + kWindows, "end search",
                                "empty", "fill C:\\windows"}));

    // A folder shown at once drops the changes still waiting: the later action wins.
    listing.SearchStarting();
    listing.FolderSelected(kSystem);
    listing.ShowFolder(kWindows);
    host.Take();
    ui::PumpPending();
    EXPECT_TRUE(host.Take().empty());
    EXPECT_EQ(listing.GetFolder(), kWindows);
    EXPECT_EQ(listing.GetKind(), CurrentListing::Kind::Folder);

    listing.SearchInFolder(kSystem);
    EXPECT_TRUE(host.log.empty());
    ui::PumpPending();
    EXPECT_EQ(host.Take(), (Log{"end search", "search page " + std::string(kSystem)}));
}

TEST_F(Listing, OpenAtFocusesTheFileWhenTheFillEndsUnlessTheListingWasReplaced) {
    host.filling = true;
    listing.OpenAt("C:\\windows\\notepad.exe");
    EXPECT_EQ(host.Take(), (Log{"select C:\\windows expanded", kTitle + kWindows, "end search",
                                "empty", "fill C:\\windows"}));
    FillProgress progress{3, 1, 5, false};
    listing.FillProgressed(progress);
    ui::PumpPending();
    EXPECT_EQ(host.status, "1 of 3 files");
    EXPECT_TRUE(host.log.empty());
    progress = FillProgress{1234, 1234, 12345, true};
    listing.FillProgressed(progress);
    EXPECT_TRUE(host.log.empty()); // never inside the file list's own timer
    ui::PumpPending();
    EXPECT_EQ(host.status, "1,234 files, 12,345 icons");
    ASSERT_EQ(host.Take(), Log{"focus C:\\windows\\notepad.exe"});

    // The user chose another folder before the fill ended: the end of the old fill, reported
    // before, and the file to focus are both dropped.
    listing.OpenAt("C:\\windows\\notepad.exe");
    listing.FillProgressed(progress);
    listing.ShowFolder(kSystem);
    host.Take();
    host.status.clear();
    ui::PumpPending();
    EXPECT_TRUE(host.status.empty());
    listing.FillProgressed(progress);
    ui::PumpPending();
    EXPECT_EQ(host.status, "1,234 files, 12,345 icons");
    EXPECT_TRUE(host.Take().empty());

    // A path that does not exist leaves the listing and says so, also at the end of the fill.
    const unsigned generation = listing.GetGeneration();
    listing.OpenAt("C:\\no such folder\\x.txt");
    EXPECT_EQ(listing.GetGeneration(), generation);
    const std::string note = "\"C:\\no such folder\\x.txt\" was not found; showing C:\\";
    EXPECT_EQ(host.status, note);
    listing.FillProgressed(progress);
    ui::PumpPending();
    EXPECT_EQ(host.status, note);
    EXPECT_TRUE(host.Take().empty());
}
