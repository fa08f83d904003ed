// The search's walk and its rules on an in-memory folder tree: order, types, content probe,
// temporary entries, subfolders, paths, stopping and folder links.
#include "FakeFolders.h"
#include "Filters.h"

#include <gtest/gtest.h>

namespace quarvel::search {
namespace {

using test::FakeFolders;
using test::OnlyTypes;
using Paths = std::vector<std::string>;

struct Collected : FoundSink {
    void Found(const std::string& path) override {
        paths.push_back(path);
        if (stopAfter && paths.size() == stopAfter)
            stop = true;
    }
    Paths paths;
    std::size_t stopAfter = 0;
    std::atomic<bool> stop{false};
};

Paths Search(FakeFolders& folders, const std::string& root, const SearchFilter& filter,
             bool subfolders = true, Collected* sink = nullptr) {
    Collected own;
    Collected& found = sink ? *sink : own;
    SearchWalk walk(folders, filter, subfolders, found.stop, found);
    const int count = walk.SearchFolder(root);
    EXPECT_EQ(static_cast<std::size_t>(count), found.paths.size());
    return found.paths;
}

TEST(SearchWalk, SubfoldersAreReportedWhereTheirEntryComesUpInListingOrder) {
    FakeFolders folders;
    folders.AddFile("C:\\t", "b.exe");
    folders.AddFolder("C:\\t", "sub");
    folders.AddFile("C:\\t\\sub", "z.exe");
    folders.AddFolder("C:\\t\\sub", "deeper");
    folders.AddFile("C:\\t\\sub\\deeper", "d.exe");
    folders.AddFile("C:\\t\\sub", "a.exe");
    folders.AddFile("C:\\t", "a.exe");
    EXPECT_EQ(Search(folders, "C:\\t", OnlyTypes(true)),
              (Paths{"C:\\t\\b.exe", "C:\\t\\sub\\z.exe", "C:\\t\\sub\\deeper\\d.exe",
                     "C:\\t\\sub\\a.exe", "C:\\t\\a.exe"}));
    // Without subfolders only the folder's own files are looked at.
    EXPECT_EQ(Search(folders, "C:\\t", OnlyTypes(true), false),
              (Paths{"C:\\t\\b.exe", "C:\\t\\a.exe"}));
    EXPECT_EQ(folders.listed.back(), "C:\\t");
}

TEST(SearchWalk, TypeModeGoesByTheExtensionOfTheWholePathIgnoringCase) {
    FakeFolders folders;
    for (const char* name : {"SETUP.EXE", "setup.exe", "Setup.Exe", "notes.exe", "readme",
                             "lib.dll", "pic.ico", "x.exe.txt", "a.exe1"})
        folders.AddFile("C:\\t", name);
    folders.AddFolder("C:\\t", "v1.2");
    folders.AddFile("C:\\t\\v1.2", "tool"); // no dot of its own: ".2\tool" matches nothing
    folders.AddFolder("C:\\t", "x.exe");
    folders.AddFile("C:\\t\\x.exe", "inside");
    EXPECT_EQ(
        Search(folders, "C:\\t", OnlyTypes(true)),
        (Paths{"C:\\t\\SETUP.EXE", "C:\\t\\setup.exe", "C:\\t\\Setup.Exe", "C:\\t\\notes.exe"}));
    EXPECT_EQ(Search(folders, "C:\\t", OnlyTypes(false, true, true)),
              (Paths{"C:\\t\\lib.dll", "C:\\t\\pic.ico"}));
    EXPECT_TRUE(folders.probed.empty()); // contents are not looked at in this mode
    EXPECT_EQ(SearchExtension("C:\\v1.2\\readme"), ".2\\readme");
    EXPECT_EQ(SearchExtension(".profile"), "");
    EXPECT_EQ(SearchExtension("C:\\noext"), "");
}

TEST(SearchWalk, AllFilesModeTakesIconsByNameAndOtherFilesByTheirContent) {
    FakeFolders folders;
    folders.AddFile("C:\\t", "junk.ICO", -2);  // any .ico, whatever its contents
    folders.AddFile("C:\\t", "image.txt", 1);  // looks like an image: found by content
    folders.AddFile("C:\\t", "small.exe", -2); // the probe refuses it: not found by name either
    folders.AddFile("C:\\t", "locked.dll", -4);
    folders.AddFile("C:\\t", "noext", 1);
    folders.AddFile("C:\\t", "short.exe", 1, false, 3 * 1024); // refused by its size unprobed
    folders.AddFile("C:\\t", "tiny.ico", -2, false, 3);
    SearchFilter filter; // every box checked
    EXPECT_EQ(Search(folders, "C:\\t", filter),
              (Paths{"C:\\t\\junk.ICO", "C:\\t\\image.txt", "C:\\t\\noext", "C:\\t\\tiny.ico"}));
    EXPECT_EQ(folders.probed,
              (Paths{"C:\\t\\image.txt", "C:\\t\\small.exe", "C:\\t\\locked.dll", "C:\\t\\noext"}));
    // "All files" alone, with every type unchecked, still finds the same.
    SearchFilter allOnly = OnlyTypes(false);
    allOnly.allFiles = true;
    EXPECT_EQ(Search(folders, "C:\\t", allOnly).size(), 4u);
}

// Cursor files are found by name in both modes, as .ico files are: each type box finds its own
// type, and "All files" takes them whatever they hold and however small, without a probe.
TEST(SearchWalk, CursorFilesAreFoundByNameInEitherMode) {
    FakeFolders folders;
    folders.AddFile("C:\\t", "arrow.CUR", -2, false, 326);
    folders.AddFile("C:\\t", "busy.ani", -2, false, 9000);
    folders.AddFile("C:\\t", "lib.dll");
    folders.AddFile("C:\\t", "cursor.anix");
    SearchFilter cursors = OnlyTypes(false);
    cursors.cur = true;
    EXPECT_EQ(Search(folders, "C:\\t", cursors), (Paths{"C:\\t\\arrow.CUR"}));
    cursors.cur = false;
    cursors.ani = true;
    EXPECT_EQ(Search(folders, "C:\\t", cursors), (Paths{"C:\\t\\busy.ani"}));
    EXPECT_TRUE(folders.probed.empty());
    SearchFilter allOnly = OnlyTypes(false);
    allOnly.allFiles = true;
    EXPECT_EQ(Search(folders, "C:\\t", allOnly), (Paths{"C:\\t\\arrow.CUR", "C:\\t\\busy.ani"}));
    EXPECT_EQ(folders.probed, (Paths{"C:\\t\\lib.dll", "C:\\t\\cursor.anix"}));
    EXPECT_TRUE(allOnly.AnyChosen());
    EXPECT_TRUE(cursors.AnyChosen()) << "a cursor box alone is a choice";
}

TEST(SearchWalk, TemporaryEntriesAreNeitherFoundNorEntered) {
    FakeFolders folders;
    folders.AddFile("C:\\t", "temp.exe", 1, true);
    folders.AddFolder("C:\\t", "scratch", true);
    folders.AddFile("C:\\t\\scratch", "inside.exe", 1);
    folders.AddFile("C:\\t", "kept.exe", 1);
    EXPECT_EQ(Search(folders, "C:\\t", SearchFilter{}), (Paths{"C:\\t\\kept.exe"}));
    EXPECT_EQ(folders.listed, (Paths{"C:\\t"}));
    EXPECT_EQ(folders.probed, (Paths{"C:\\t\\kept.exe"}));
}

TEST(SearchWalk, PathsHaveOneBackslashAfterTheFolderHoweverItWasGiven) {
    FakeFolders folders;
    folders.AddFile("C:\\", "root.exe");
    folders.AddFolder("C:\\", "dir");
    folders.AddFile("C:\\dir", "in.exe");
    EXPECT_EQ(Search(folders, "C:\\", OnlyTypes(true)), (Paths{"C:\\root.exe", "C:\\dir\\in.exe"}));
    folders.AddLink("C:\\", "dir\\", "C:\\dir"); // the same folder named with a trailing backslash
    EXPECT_EQ(Search(folders, "C:\\dir\\", OnlyTypes(true)), (Paths{"C:\\dir\\in.exe"}));
    EXPECT_EQ(Search(folders, "C:\\dir", OnlyTypes(true)), (Paths{"C:\\dir\\in.exe"}));
    EXPECT_TRUE(Search(folders, "", OnlyTypes(true)).empty());
    EXPECT_TRUE(Search(folders, "C:\\missing", OnlyTypes(true)).empty());
}

TEST(SearchWalk, AStopRequestEndsTheWalkAfterTheFileBeingTested) {
    FakeFolders folders;
    folders.AddFolder("C:\\t", "a");
    for (const char* name : {"1.exe", "2.exe", "3.exe", "4.exe"})
        folders.AddFile("C:\\t\\a", name);
    folders.AddFolder("C:\\t", "b");
    folders.AddFile("C:\\t\\b", "5.exe");
    Collected sink;
    sink.stopAfter = 2;
    EXPECT_EQ(Search(folders, "C:\\t", OnlyTypes(true), true, &sink),
              (Paths{"C:\\t\\a\\1.exe", "C:\\t\\a\\2.exe"}));
    EXPECT_EQ(folders.listed, (Paths{"C:\\t", "C:\\t\\a"})); // "b" is never listed

    Collected stopped;
    stopped.stop = true;
    folders.listed.clear();
    EXPECT_TRUE(Search(folders, "C:\\t", OnlyTypes(true), true, &stopped).empty());
    EXPECT_TRUE(folders.listed.empty());
}

TEST(SearchWalk, ALinkBackUpThePathIsNotFollowedButOtherLinksAre) {
    FakeFolders folders;
    folders.AddFolder("C:\\t", "a");
    folders.AddFile("C:\\t\\a", "a.exe");
    folders.AddLink("C:\\t\\a", "up", "C:\\t");    // would loop
    folders.AddLink("C:\\t", "again", "C:\\t\\a"); // a second way into "a": walked again
    EXPECT_EQ(Search(folders, "C:\\t", OnlyTypes(true)),
              (Paths{"C:\\t\\a\\a.exe", "C:\\t\\again\\a.exe"}));
}

} // namespace
} // namespace quarvel::search
