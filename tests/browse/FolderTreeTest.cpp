// The folder tree in the started application: the start on "C:\", lazy sorted folders, folders
// that vanish, the history, Up and Refresh, the menu on the computer, and the file list moving it.
#include "AppFixture.h"

#include "ShellCommands.h"

#include <cstring>
#include <functional>

class FolderTree : public QuarvelStarted {
protected:
    CFolderTreeCtrl& TreeCtrl() { return Tree()->GetTreeCtrl(); }
    CString Selected() { return TreeCtrl().ItemToPath(TreeCtrl().GetSelectedItem()); }
    std::vector<std::string> ChildNames(HTREEITEM parent) {
        std::vector<std::string> names;
        for (HTREEITEM child = TreeCtrl().GetChildItem(parent); child;
             child = TreeCtrl().GetNextSiblingItem(child))
            names.push_back(TreeCtrl().GetItemText(child).GetString());
        return names;
    }
    bool HasButton(HTREEITEM item) {
        TVITEMA state{};
        state.mask = TVIF_CHILDREN;
        state.hItem = item;
        TreeCtrl().GetItem(&state);
        return state.cChildren != 0;
    }
    int FileRows() { return frame->GetFileList()->GetListCtrl().GetItemCount(); }
    // The tree's context menu, asked for from the keyboard, and which commands are enabled.
    ui::MenuItems TreeMenu() { return ui::ContextMenu(&TreeCtrl(), {}, true); }
};

TEST_F(FolderTree, StartsWithTheTwoRootsAndCSelectedButNotExpanded) {
    ASSERT_TRUE(Start());
    CFolderTreeCtrl& tree = TreeCtrl();
    const HTREEITEM computer = tree.GetRootItem();
    ASSERT_NE(computer, nullptr);
    EXPECT_EQ(computer, tree.GetComputerRoot());
    EXPECT_EQ(tree.GetNextSiblingItem(computer), tree.GetNetworkRoot());
    EXPECT_EQ(tree.GetNextSiblingItem(tree.GetNetworkRoot()), nullptr);
    EXPECT_EQ(tree.GetItemText(computer), tree.ItemToPath(computer)); // its display name
    EXPECT_FALSE(tree.GetItemText(computer).IsEmpty());

    EXPECT_STREQ(Selected(), "C:\\");
    const HTREEITEM drive = tree.GetSelectedItem();
    EXPECT_EQ(tree.GetParentItem(drive), computer);
    EXPECT_FALSE(tree.GetItemState(drive, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Caption(), "Quarvel v1.0 - C:\\");

    int entries = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA("C:\\*.*", &found);
    do
        entries += std::strcmp(found.cFileName, ".") && std::strcmp(found.cFileName, "..");
    while (FindNextFileA(find, &found));
    FindClose(find);
    EXPECT_EQ(FileRows(), entries);
    EXPECT_FALSE(tree.CanGoBack());
}

TEST_F(FolderTree, ListsSubfoldersSortedIgnoringCaseHiddenOnesIncluded) {
    TempFolder folder("quarvel tree order");
    folder.AddFolder("b");
    folder.AddFolder("A");
    folder.AddFolder("c");
    const std::string hidden = folder.AddFolder("hidden");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    folder.AddFile("file.txt"); // files are not tree items
    ASSERT_TRUE(Start());
    const HTREEITEM item = TreeCtrl().SetSelectedPath(folder.path().c_str(), true);
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(Selected(), folder.path().c_str());
    EXPECT_EQ(ChildNames(item), (std::vector<std::string>{"A", "b", "c", "hidden"}));
    EXPECT_FALSE(HasButton(TreeCtrl().GetChildItem(item))); // "A" has no subfolders
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Caption(), "Quarvel v1.0 - " + folder.path());
    EXPECT_EQ(FileRows(), 5);
}

TEST_F(FolderTree, AFolderDeletedOutsideGoesWhenSelectedOrExpanded) {
    TempFolder folder("quarvel tree vanish");
    const std::string first = folder.AddFolder("first");
    const std::string second = folder.AddFolder("second");
    const std::string inner = folder.AddFolder("second\\inner"); // "second" gets a button
    ASSERT_TRUE(Start());
    const HTREEITEM parent = TreeCtrl().SetSelectedPath(folder.path().c_str(), true);
    ASSERT_EQ(ChildNames(parent).size(), 2u);
    ASSERT_TRUE(Filled());
    const int rowsBefore = FileRows();

    RemoveDirectoryA(first.c_str());
    TreeCtrl().SelectItem(TreeCtrl().GetChildItem(parent));
    EXPECT_EQ(ChildNames(parent), std::vector<std::string>{"second"});
    EXPECT_STREQ(Selected(), folder.path().c_str()); // the selection stays where it was
    EXPECT_EQ(FileRows(), rowsBefore);

    RemoveDirectoryA(inner.c_str());
    RemoveDirectoryA(second.c_str());
    TreeCtrl().Expand(TreeCtrl().GetChildItem(parent), TVE_EXPAND);
    EXPECT_TRUE(ChildNames(parent).empty());
    EXPECT_FALSE(HasButton(parent));
}

TEST_F(FolderTree, HistoryKeepsTwentyOneAndBackThenANewSelectionKeepsForward) {
    TempFolder folder("quarvel tree history");
    std::vector<std::string> paths;
    for (int i = 0; i < 25; ++i)
        paths.push_back(folder.AddFolder(("f" + std::to_string(i + 10)).c_str()));
    ASSERT_TRUE(Start());
    const HTREEITEM parent = TreeCtrl().SetSelectedPath(folder.path().c_str(), true);
    ASSERT_EQ(ChildNames(parent).size(), 25u);
    for (HTREEITEM child = TreeCtrl().GetChildItem(parent); child;
         child = TreeCtrl().GetNextSiblingItem(child))
        TreeCtrl().SelectItem(child);
    EXPECT_EQ(TreeCtrl().GetBackHistory().size(), 21u);

    ASSERT_TRUE(TreeCtrl().GoBack());
    EXPECT_STREQ(Selected(), paths[23].c_str());
    ASSERT_TRUE(Filled());
    EXPECT_EQ(FileRows(), 0);                               // the list follows: f33 is empty
    TreeCtrl().SelectItem(TreeCtrl().GetChildItem(parent)); // a new selection: f10
    ASSERT_TRUE(TreeCtrl().CanGoForward());
    ASSERT_TRUE(TreeCtrl().GoForward());
    EXPECT_STREQ(Selected(), paths[24].c_str());
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Caption(), "Quarvel v1.0 - " + paths[24]);
}

TEST_F(FolderTree, BackForwardAndUpGoThroughTheFrameAndUpStopsAtTheTop) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(TreeCtrl().SetSelectedPath("C:\\windows\\system32", false));
    frame->SendMessage(WM_COMMAND, ID_VIEW_BACK);
    EXPECT_STREQ(Selected(), "C:\\windows");
    ui::PumpPending();
    EXPECT_EQ(Caption(), "Quarvel v1.0 - C:\\windows");
    frame->SendMessage(WM_COMMAND, ID_VIEW_FORWARD);
    EXPECT_STREQ(Selected(), "C:\\windows\\system32");
    ASSERT_TRUE(Filled());
    EXPECT_GT(FileRows(), 300);
    frame->SendMessage(WM_COMMAND, ID_VIEW_UP);
    EXPECT_STREQ(Selected(), "C:\\windows");

    // Up from a drive reaches the computer, which changes neither the list nor the title.
    TreeCtrl().SetSelectedPath("C:\\", false);
    ASSERT_TRUE(Filled());
    const int rows = FileRows();
    frame->SendMessage(WM_COMMAND, ID_VIEW_UP);
    ASSERT_TRUE(Filled());
    EXPECT_EQ(TreeCtrl().GetSelectedItem(), TreeCtrl().GetComputerRoot());
    EXPECT_FALSE(Tree()->CanGoUp());
    EXPECT_EQ(FileRows(), rows);
    EXPECT_EQ(Caption(), "Quarvel v1.0 - C:\\");
}

TEST_F(FolderTree, RefreshRebuildsTheTreeAndKeepsTheSelection) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(TreeCtrl().SetSelectedPath("C:\\windows", true));
    frame->SendMessage(WM_COMMAND, ID_VIEW_REFRESH);
    const HTREEITEM after = TreeCtrl().GetSelectedItem();
    EXPECT_STREQ(Selected(), "C:\\windows");
    EXPECT_TRUE(TreeCtrl().GetItemState(after, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_NE(TreeCtrl().GetChildItem(after), nullptr);
    // F5 does the same from the keyboard.
    MSG f5{TreeCtrl().m_hWnd, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(TreeCtrl().PreTranslateMessage(&f5));
    EXPECT_STREQ(Selected(), "C:\\windows");
}

TEST_F(FolderTree, CopyPathOfTheComputerGivesItsDisplayNameAndNoCommandPrompt) {
    ASSERT_TRUE(Start());
    TreeCtrl().SelectItem(TreeCtrl().GetComputerRoot());
    TreeCtrl().SendMessage(WM_COMMAND, ID_COPY_PATH);
    EXPECT_EQ(ui::ClipboardText(),
              TreeCtrl().GetItemText(TreeCtrl().GetComputerRoot()).GetString());
    using Menu = std::vector<std::pair<UINT, bool>>;
    EXPECT_EQ(TreeMenu(), (Menu{{ID_SHELL_OPEN, true},
                                {ID_SHELL_PROPERTIES, true},
                                {ID_SEARCH_IN_FOLDER, true},
                                {ID_COPY_PATH, true},
                                {ID_COMMAND_PROMPT, false}}));
    TreeCtrl().SelectItem(TreeCtrl().GetNetworkRoot());
    EXPECT_EQ(TreeMenu(), (Menu{{ID_SHELL_OPEN, false},
                                {ID_SHELL_PROPERTIES, false},
                                {ID_SEARCH_IN_FOLDER, true},
                                {ID_COPY_PATH, true},
                                {ID_COMMAND_PROMPT, false}}));
    TreeCtrl().SetSelectedPath("C:\\windows", false);
    EXPECT_EQ(TreeMenu().back(), std::make_pair(static_cast<UINT>(ID_COMMAND_PROMPT), true));
    // The menu's Search puts the folder into the search form.
    TreeCtrl().SendMessage(WM_COMMAND, ID_SEARCH_IN_FOLDER);
    ui::PumpPending();
    EXPECT_EQ(Browser()->GetCurrentView(), frame->GetSearchForm());
    EXPECT_EQ(ui::WindowText(::GetDlgItem(frame->GetSearchForm()->m_hWnd, IDC_LOOK_IN)),
              "C:\\windows");
}

TEST_F(FolderTree, SelectingAFolderEndsTheSearchButTheComputerDoesNot) {
    ASSERT_TRUE(Start());
    CSearchDlg* form = frame->GetSearchForm();
    form->SetLookInFolder("C:\\windows");
    form->SendMessage(WM_COMMAND, IDC_FIND);
    ASSERT_TRUE(form->IsSearching());
    TreeCtrl().SelectItem(TreeCtrl().GetComputerRoot());
    ui::PumpPending();
    EXPECT_TRUE(form->IsSearching());
    TreeCtrl().SetSelectedPath("C:\\windows", false);
    ui::PumpPending();
    EXPECT_FALSE(form->IsSearching());
}

TEST_F(FolderTree, DoubleClickOnAFolderRowMovesTheTreeAndRefillsTheListsOnceItsHandlerReturned) {
    ASSERT_TRUE(Start());
    CFileListCtrl& files = frame->GetFileList()->GetListCtrl();
    int row = 0;
    while (row < files.GetItemCount() && files.GetItemText(row, kNameColumn) != "windows")
        ++row;
    ASSERT_LT(row, files.GetItemCount());
    const int rows = files.GetItemCount();
    NMITEMACTIVATE activate{};
    activate.hdr = NMHDR{files.m_hWnd, static_cast<UINT_PTR>(files.GetDlgCtrlID()), NM_DBLCLK};
    activate.iItem = row;
    frame->GetFileList()->SendMessage(WM_NOTIFY, activate.hdr.idFrom,
                                      reinterpret_cast<LPARAM>(&activate));
    // The list the user double-clicked is left whole until its notification is over.
    EXPECT_EQ(files.GetItemCount(), rows);
    EXPECT_STREQ(Selected(), "C:\\");
    ui::PumpPending();
    EXPECT_STREQ(Selected(), "C:\\windows");
    EXPECT_TRUE(TreeCtrl().GetItemState(TreeCtrl().GetSelectedItem(), TVIS_EXPANDED) &
                TVIS_EXPANDED);
    ASSERT_TRUE(Filled());
    EXPECT_STREQ(files.GetItemText(0, kFolderColumn), "C:\\windows\\");
}

TEST_F(FolderTree, AClickOnTheSelectedFolderAfterASearchShowsItsFilesAgain) {
    TempFolder folder("quarvel tree click again");
    folder.AddFile("a.ico");
    folder.AddFile("b.ico");
    ASSERT_TRUE(Start());
    const HTREEITEM item = TreeCtrl().SetSelectedPath(folder.path().c_str(), false);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(Filled());
    ASSERT_EQ(FileRows(), 2);
    const auto clickSelected = [&] {
        TreeCtrl().EnsureVisible(item);
        RECT label{};
        ASSERT_TRUE(TreeCtrl().GetItemRect(item, &label, TRUE));
        ui::Click(TreeCtrl().m_hWnd, ui::Centre(label));
        ASSERT_TRUE(Filled());
    };
    // Shown already: the click changes nothing.
    const unsigned generation = frame->GetListing().GetGeneration();
    clickSelected();
    EXPECT_EQ(frame->GetListing().GetGeneration(), generation);

    // A search's files replace the folder's; the tree's selection stays where it was.
    frame->ClearFileList();
    ASSERT_EQ(frame->AddFoundFile("C:\\windows\\notepad.exe"), 1);
    ASSERT_TRUE(Filled());
    ASSERT_EQ(FileRows(), 1);
    clickSelected();
    EXPECT_EQ(FileRows(), 2);
    EXPECT_STRCASEEQ(frame->GetFileList()->GetListCtrl().GetItemText(0, kFolderColumn),
                     (folder.path() + "\\").c_str());
}
