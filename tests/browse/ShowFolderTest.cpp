// The main frame fills the real file list: ShowFolder, found files, clearing, and the file
// list's Search command; the icon counts of the system folder agree with quarvel-cli.
#include "AppFixture.h"

#include "support/CliRunner.h"
#include "support/TempFiles.h"

#include <cctype>
#include <map>

namespace {
std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
// Whether a list control draws when asked to repaint: it announces each drawing to its parent.
HWND watchedList = nullptr;
int drawings = 0;
HHOOK drawHook = nullptr;

LRESULT CALLBACK countDrawing(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message->lParam);
        drawings += header->hwndFrom == watchedList && header->code == NM_CUSTOMDRAW;
    }
    return CallNextHookEx(drawHook, code, wParam, lParam);
}

bool Paints(CWnd& list) {
    watchedList = list.m_hWnd;
    drawings = 0;
    drawHook = SetWindowsHookExA(WH_CALLWNDPROC, countDrawing, nullptr, GetCurrentThreadId());
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    UnhookWindowsHookEx(drawHook);
    return drawings > 0;
}
} // namespace

class ShownFolder : public QuarvelStarted {
protected:
    CFileListCtrl& Files() { return frame->GetFileList()->GetListCtrl(); }
    CIconListCtrl& Icons() { return frame->GetIconList()->GetListCtrl(); }
    CSubIconView* SubIcons() { return frame->GetSubIconView(); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int row = 0; row < Files().GetItemCount(); ++row)
            names.push_back(Files().GetItemText(row, kNameColumn).GetString());
        return names;
    }
};

TEST_F(ShownFolder, ListsTheEntriesSortedWithFoldersFirstAndTheirIcons) {
    ASSERT_TRUE(Start());
    TempFolder folder("quarvel shown folder");
    folder.AddFile("b.ico");
    folder.AddFile("a.txt");
    folder.AddFolder("Sub");
    frame->ShowFolder(folder.path().c_str());
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Sub", "a.txt", "b.ico"}));
    EXPECT_EQ(Icons().GetItemCount(), 1);
    EXPECT_STREQ(Files().GetItemText(2, kIconsColumn), "1");
    // Painting, held back while the rows went in, is on again for both lists.
    EXPECT_TRUE(Paints(Files()));
    EXPECT_TRUE(Paints(Icons()));
}

TEST_F(ShownFolder, AFolderWithOnlyDotsEmptiesAllThreeLists) {
    ASSERT_TRUE(Start());
    frame->ShowFolder("C:\\windows");
    ASSERT_TRUE(Filled());
    ASSERT_GT(Files().GetItemCount(), 0);
    ASSERT_GT(Icons().GetItemCount(), 0);
    Icons().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_GT(SubIcons()->GetListBox().GetCount(), 0);

    TempFolder empty("quarvel dots only");
    frame->ShowFolder(empty.path().c_str());
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Files().GetItemCount(), 0);
    EXPECT_EQ(Icons().GetItemCount(), 0);
    EXPECT_EQ(SubIcons()->GetListBox().GetCount(), 0);
}

TEST_F(ShownFolder, FoundFilesAreAddedUnsortedAndClearingEmptiesTheLists) {
    ASSERT_TRUE(Start());
    frame->ClearFileList(); // as a search starts: the start-up folder's entries go
    EXPECT_EQ(frame->AddFoundFile(""), 0);
    EXPECT_EQ(frame->AddFoundFile("C:\\windows\\notepad.exe"), 1);
    EXPECT_EQ(frame->AddFoundFile("C:\\windows\\explorer.exe"), 1);
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Names(), (std::vector<std::string>{"notepad.exe", "explorer.exe"}));
    EXPECT_GT(Icons().GetItemCount(), 0);
    frame->ClearFileList();
    EXPECT_EQ(Files().GetItemCount(), 0);
    EXPECT_EQ(Icons().GetItemCount(), 0);
}

TEST_F(ShownFolder, SearchOnAFolderRowShowsTheSearchPageWithThatFolder) {
    ASSERT_TRUE(Start());
    // A search runs (it empties the list as it starts) while the list shows a folder.
    frame->GetSearchForm()->SetLookInFolder("C:\\windows");
    frame->GetSearchForm()->SendMessage(WM_COMMAND, IDC_FIND);
    ASSERT_TRUE(frame->GetSearchForm()->IsSearching());
    frame->ShowFolder("C:\\windows");
    ASSERT_TRUE(Filled());
    int row = 0;
    while (row < Files().GetItemCount() && Files().GetItemText(row, kNameColumn) != "system32")
        ++row;
    ASSERT_LT(row, Files().GetItemCount());
    Files().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    frame->GetFileList()->SendMessage(WM_COMMAND, ID_SEARCH_IN_FOLDER);
    EXPECT_EQ(Browser()->GetCurrentView(), frame->GetSearchForm());
    EXPECT_FALSE(frame->GetSearchForm()->IsSearching());
    EXPECT_EQ(ui::WindowText(::GetDlgItem(frame->GetSearchForm()->m_hWnd, IDC_LOOK_IN)),
              "C:\\windows\\system32");
}

TEST_F(ShownFolder, SystemFolderIconCountsAgreeWithTheCommandLineTool) {
    ASSERT_TRUE(Start());
    const char* system32 = "C:\\windows\\system32";
    quarvel::test::TempFolder scratch;
    const auto listing = quarvel::test::RunCli({"list", system32}, scratch.Path());
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::map<std::string, int> expected; // lower-case path -> icons listed
    for (const std::string& line : listing.OutLines())
        ++expected[lower(line.substr(0, line.find('\t')))];
    ASSERT_GT(expected.size(), 5u);

    frame->ShowFolder(system32);
    ASSERT_TRUE(Filled());
    int files = 0, listedIcons = 0, matched = 0;
    for (int row = 0; row < Files().GetItemCount(); ++row) {
        if (Files().IsFolderRow(row))
            continue;
        ++files;
        const std::string path = lower(Files().GetFullPath(row).GetString());
        const int count = std::atoi(Files().GetItemText(row, kIconsColumn));
        const auto found = expected.find(path);
        EXPECT_EQ(count, found == expected.end() ? 0 : found->second) << path;
        matched += found != expected.end();
        listedIcons += count;
    }
    EXPECT_GT(files, 300);
    EXPECT_EQ(matched, static_cast<int>(expected.size())); // every file the tool lists is a row
    EXPECT_EQ(listedIcons, Icons().GetItemCount());
}
