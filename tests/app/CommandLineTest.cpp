// A path on the command line: a folder is shown, a file is shown in its folder with its row and
// its first icon chosen, and a path that does not exist leaves "C:\" shown and says so.
#include "AppFixture.h"

#include "engine/IconItem.h"

namespace {
std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}
} // namespace

class StartedWithPath : public QuarvelStarted {
protected:
    CFileListCtrl& Files() { return frame->GetFileList()->GetListCtrl(); }
    CIconListCtrl& Icons() { return frame->GetIconList()->GetListCtrl(); }
    std::string StatusText() { return frame->GetStatusBar().GetPaneText(0).GetString(); }
    // Whether the file list shows the entries of folder: rows, each in that folder.
    bool ShowsFolder(const std::string& folder) {
        const CString expected = (folder + "\\").c_str();
        for (int row = 0; row < Files().GetItemCount(); ++row)
            if (Files().GetItemText(row, kFolderColumn).CompareNoCase(expected) != 0)
                return false;
        return Files().GetItemCount() > 0;
    }
};

TEST_F(StartedWithPath, AFolderIsShownAndSelectedInTheTree) {
    TempFolder folder("quarvel start folder");
    folder.AddFile("a.ico");
    folder.AddFolder("sub");
    ASSERT_TRUE(Start(quoted(folder.path() + "\\").c_str()));
    EXPECT_TRUE(IsZoomed(frame->m_hWnd));
    EXPECT_TRUE(ShowsFolder(folder.path()));
    EXPECT_EQ(Files().GetItemCount(), 2);
    EXPECT_EQ(Files().GetSelectedCount(), 0u);
    // The tree went there as a click would: the caption names the folder.
    const std::string caption = Caption();
    EXPECT_EQ(caption.compare(0, 15, "Quarvel v1.0 - "), 0);
    EXPECT_EQ(_stricmp(caption.c_str() + 15, folder.path().c_str()), 0) << caption;
    EXPECT_TRUE(Tree()->CanGoBack()); // from "C:\"
}

TEST_F(StartedWithPath, AFileIsFocusedInItsFolderWithItsFirstIconShown) {
    TempFolder folder("quarvel start file");
    folder.AddFile("a.ico");
    const std::string chosen = folder.AddFile("b.ico");
    folder.AddFile("c.ico");
    ASSERT_TRUE(Start(quoted(chosen).c_str()));
    ASSERT_TRUE(ShowsFolder(folder.path()));

    const int row = Files().GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    ASSERT_GE(row, 0);
    EXPECT_STRCASEEQ(Files().GetFullPath(row), chosen.c_str());
    EXPECT_EQ(Files().GetSelectedCount(), 1u);
    EXPECT_EQ(frame->GetActiveView(), frame->GetFileList());

    const int icon = Icons().GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    ASSERT_GE(icon, 0);
    CSubIconView* images = frame->GetSubIconView();
    EXPECT_EQ(images->GetCurrentIndex(), icon);
    ASSERT_NE(images->GetCurrentIcon(), nullptr);
    EXPECT_STRCASEEQ(images->GetCurrentIcon()->GetListedPath().c_str(), chosen.c_str());

    // A program's first icon group, from a relative name, reaches the image pane with its images.
    TearDown();
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA("C:\\windows");
    const bool started = Start("notepad.exe");
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(started);
    images = frame->GetSubIconView();
    ASSERT_TRUE(ShowsFolder("C:\\windows"));
    const int programRow = Files().GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    ASSERT_GE(programRow, 0);
    EXPECT_STRCASEEQ(Files().GetItemText(programRow, kNameColumn), "notepad.exe");
    EXPECT_TRUE(ui::PumpUntil([&] { return images->GetListBox().GetCount() > 0; }));
}

TEST_F(StartedWithPath, AMissingPathFallsBackToTheRootAndSaysSo) {
    ASSERT_TRUE(Start("\"C:\\no such folder\\nothing.txt\""));
    EXPECT_EQ(AfxGetMainWnd(), frame);
    EXPECT_EQ(Caption(), "Quarvel v1.0 - C:\\");
    EXPECT_GT(Files().GetItemCount(), 0);
    EXPECT_EQ(StatusText(), "\"C:\\no such folder\\nothing.txt\" was not found; showing C:\\");
}
