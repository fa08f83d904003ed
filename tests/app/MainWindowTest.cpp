// The main window after start-up: caption, panes and their sizes, the splitter rule, menus,
// toolbar, accelerators, prompts, tooltips and which commands are enabled.
#include "AppFixture.h"

namespace {
RECT paneRect(CWnd* pane) {
    RECT rect;
    pane->GetWindowRect(&rect);
    return rect;
}
int width(CWnd* pane) {
    return paneRect(pane).right - paneRect(pane).left;
}
int height(CWnd* pane) {
    return paneRect(pane).bottom - paneRect(pane).top;
}

std::string menuText(HMENU menu, UINT position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string tooltip(CToolBar& bar, UINT id) {
    NMTTDISPINFOA info{};
    info.hdr = NMHDR{reinterpret_cast<HWND>(bar.SendMessage(TB_GETTOOLTIPS)), id,
                     static_cast<UINT>(TTN_GETDISPINFOA)};
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : "";
}

std::string prompt(CMainFrame* frame, UINT id) {
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(id, MF_STRING),
                       reinterpret_cast<LPARAM>(frame->GetMenu()));
    return frame->GetStatusBar().GetPaneText(0).GetString();
}
} // namespace

TEST_F(QuarvelStarted, StartsMaximisedWithItsCaptionAndFivePanes) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Caption(), "Quarvel v1.0 - C:\\");
    EXPECT_TRUE(IsZoomed(frame->m_hWnd));

    // Every pane is there, of its class (the frame's accessors check it).
    CWnd* left = frame->GetBrowser();
    CFileListView* files = frame->GetFileList();
    CIconListView* icons = frame->GetIconList();
    CWnd* images = frame->GetSubIconView();
    ASSERT_TRUE(left && files && icons && images && Tree() && frame->GetSearchForm());
    EXPECT_EQ(Browser()->GetTabWindow(CBrowser::kFolderPage), Tree());
    EXPECT_EQ(Browser()->GetTabWindow(CBrowser::kSearchPage), frame->GetSearchForm());
    EXPECT_EQ(Browser()->GetCurrentView(), Tree());
    EXPECT_EQ(files->GetIconReceiver(), &icons->GetListCtrl());
    // The panes reach the current listing the frame handed them.
    EXPECT_EQ(files->GetListCtrl().GetListing(), &frame->GetListing());
    EXPECT_EQ(Tree()->GetTreeCtrl().GetListing(), &frame->GetListing());
    EXPECT_NE(frame->GetSearchForm()->GetHost(), nullptr);
    EXPECT_EQ(icons->GetSubIconView(), images);

    // The left pane's tabs: "Folder" and "Search", each with its 16 x 16 picture.
    for (int index : {CBrowser::kFolderPage, CBrowser::kSearchPage}) {
        char text[32] = "";
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(Browser()->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(&item)));
        EXPECT_STREQ(text, index == CBrowser::kFolderPage ? "Folder" : "Search");
        EXPECT_EQ(item.iImage, index);
    }
    auto tabImages = reinterpret_cast<HIMAGELIST>(Browser()->SendMessage(TCM_GETIMAGELIST));
    ASSERT_NE(tabImages, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(tabImages), 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(tabImages, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    EXPECT_EQ(width(left), CMainFrame::kLeftPaneWidth);
    EXPECT_EQ(height(files), CMainFrame::kFileListHeight);
    EXPECT_EQ(width(images), CMainFrame::kSubIconPaneWidth);
    EXPECT_EQ(paneRect(images).right, paneRect(files).right);
    EXPECT_GT(width(icons), 300);
}

// The window is laid out maximized while hidden and shown once ready: it stands where the system
// puts a maximized window, and a restore brings back a smaller, normal one.
TEST_F(QuarvelStarted, ShowsWhereTheSystemMaximisesAndRestoresToANormalWindow) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(frame->IsWindowVisible());
    const RECT started = paneRect(frame);
    frame->ShowWindow(SW_RESTORE);
    ui::PumpPending();
    EXPECT_FALSE(IsZoomed(frame->m_hWnd));
    EXPECT_LT(width(frame), started.right - started.left);
    frame->ShowWindow(SW_MAXIMIZE);
    ui::PumpPending();
    const RECT maximised = paneRect(frame);
    EXPECT_TRUE(EqualRect(&started, &maximised))
        << started.left << "," << started.top << " " << started.right << "," << started.bottom
        << " against " << maximised.left << "," << maximised.top << " " << maximised.right << ","
        << maximised.bottom;
}

TEST_F(QuarvelStarted, ResizingChangesOnlyTheImagePane) {
    ASSERT_TRUE(Start());
    CWnd* left = frame->GetBrowser();
    CWnd* files = frame->GetFileList();
    CWnd* icons = frame->GetIconList();
    CWnd* images = frame->GetSubIconView();
    // From a known size, 100 pixels narrower and 50 lower.
    frame->ShowWindow(SW_RESTORE);
    frame->SetWindowPos(nullptr, 0, 0, 1270, 780, SWP_NOZORDER);
    ui::PumpPending();
    int iconWidth = width(icons);
    int imageWidth = width(images);
    ASSERT_GT(imageWidth, 100);
    frame->SetWindowPos(nullptr, 0, 0, 1170, 730, SWP_NOZORDER);
    ui::PumpPending();
    EXPECT_EQ(width(left), CMainFrame::kLeftPaneWidth);
    EXPECT_EQ(height(files), CMainFrame::kFileListHeight);
    EXPECT_EQ(width(icons), iconWidth);
    EXPECT_EQ(width(images), imageWidth - 100);
}

TEST_F(QuarvelStarted, MenusHoldTheirCommandsAndEnableThoseThatCanRun) {
    ASSERT_TRUE(Start());
    HMENU bar = frame->GetMenu();
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(menuText(bar, 0), "&File");
    EXPECT_EQ(menuText(bar, 1), "&Edit");
    EXPECT_EQ(menuText(bar, 2), "&View");
    EXPECT_EQ(menuText(bar, 3), "&Help");
    using Items = ui::MenuItems;
    // Nothing is selected for Save As, Copy or Select All (Find Icon always reaches the filter
    // box); the tree's history is empty, and "C:\" is selected below the computer, so Up can go
    // there. The icon order's popup and the hiding of duplicates are always there.
    EXPECT_EQ(ui::FrameMenu(frame, 0), (Items{{ID_SAVE_ICON_AS, false}, {ID_APP_EXIT, true}}));
    EXPECT_EQ(
        ui::FrameMenu(frame, 1),
        (Items{{ID_EDIT_COPY, false}, {ID_EDIT_SELECT_ALL, false}, {ID_EDIT_FIND_ICON, true}}));
    EXPECT_EQ(ui::FrameMenu(frame, 2), (Items{{ID_VIEW_TOOLBAR, true},
                                              {ID_VIEW_STATUS_BAR, true},
                                              {ID_VIEW_HIDE_DUPLICATES, true},
                                              {ID_VIEW_BACK, false},
                                              {ID_VIEW_FORWARD, false},
                                              {ID_VIEW_UP, true},
                                              {ID_VIEW_REFRESH, true}}));
    EXPECT_EQ(ui::FrameMenu(frame, 3),
              (Items{{ID_HELP_FINDER, true}, {ID_HELP_WEB_PAGE, true}, {ID_APP_ABOUT, true}}));
    HMENU view = GetSubMenu(bar, 2);
    EXPECT_TRUE(GetMenuState(view, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(view, ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);

    frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(frame->GetStatusBar().IsWindowVisible());
    ui::FrameMenu(frame, 2);
    EXPECT_FALSE(GetMenuState(view, ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(QuarvelStarted, ToolbarButtonsComeInOrderWithImagesAndFollowTheirCommands) {
    ASSERT_TRUE(Start());
    CToolBar& bar = frame->GetToolBar();
    const UINT expected[] = {ID_VIEW_BACK,   ID_VIEW_FORWARD, ID_VIEW_UP,      ID_VIEW_REFRESH,
                             ID_SEPARATOR,   ID_EDIT_COPY,    ID_SAVE_ICON_AS, ID_SEPARATOR,
                             ID_HELP_FINDER, ID_APP_ABOUT};
    ASSERT_EQ(bar.GetCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bar.GetItemID(i), expected[i]) << "button " << i;
    EXPECT_EQ(bar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
    EXPECT_TRUE(bar.GetBarStyle() & CBRS_GRIPPER);
    auto images = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
    ASSERT_NE(images, nullptr);
    EXPECT_GE(ImageList_GetImageCount(images), 8);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    ui::PumpPending();
    auto enabled = [&](UINT id) { return bar.SendMessage(TB_ISBUTTONENABLED, id) != 0; };
    EXPECT_FALSE(enabled(ID_VIEW_BACK));
    EXPECT_FALSE(enabled(ID_VIEW_FORWARD));
    EXPECT_TRUE(enabled(ID_VIEW_UP)); // "C:\" is selected, below the computer
    EXPECT_TRUE(enabled(ID_VIEW_REFRESH));
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_SAVE_ICON_AS));
    EXPECT_TRUE(enabled(ID_HELP_FINDER));
    EXPECT_TRUE(enabled(ID_APP_ABOUT));

    // The tree's history enables Back and Forward, but only while the "Folder" page is shown.
    CFolderTreeCtrl& tree = Tree()->GetTreeCtrl();
    ASSERT_TRUE(tree.SetSelectedPath("C:\\windows\\system32", false));
    ui::PumpPending();
    EXPECT_TRUE(enabled(ID_VIEW_BACK));
    EXPECT_TRUE(enabled(ID_VIEW_UP));
    frame->SendMessage(WM_COMMAND, ID_VIEW_BACK);
    EXPECT_EQ(tree.ItemToPath(tree.GetSelectedItem()), "C:\\windows");
    ui::PumpPending();
    EXPECT_TRUE(enabled(ID_VIEW_BACK));
    EXPECT_TRUE(enabled(ID_VIEW_FORWARD));
    Browser()->SelectTab(1);
    ui::PumpPending();
    EXPECT_FALSE(enabled(ID_VIEW_BACK));
    EXPECT_FALSE(enabled(ID_VIEW_FORWARD));
    EXPECT_FALSE(enabled(ID_VIEW_UP));
    EXPECT_FALSE(enabled(ID_VIEW_REFRESH));
    Browser()->SelectTab(0);
    frame->SendMessage(WM_COMMAND, ID_VIEW_REFRESH);
    EXPECT_EQ(tree.ItemToPath(tree.GetSelectedItem()), "C:\\windows");
}

TEST_F(QuarvelStarted, PromptsAndTooltipsComeFromTheStringTable) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(prompt(frame, ID_SAVE_ICON_AS), "Save Icon as Windows Icon files or Bitmap files");
    EXPECT_EQ(prompt(frame, ID_EDIT_COPY), "Copy the selection and put it on the Clipboard");
    EXPECT_EQ(prompt(frame, ID_VIEW_TOOLBAR), "Show or hide the toolbar");
    EXPECT_EQ(prompt(frame, ID_VIEW_BACK), "");
    EXPECT_EQ(prompt(frame, ID_HELP_WEB_PAGE), "");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ(frame->GetStatusBar().GetPaneText(0), "Ready");

    // The pointer over a toolbar button shows its prompt.
    CToolBar& bar = frame->GetToolBar();
    RECT button;
    bar.SendMessage(TB_GETRECT, ID_EDIT_COPY, reinterpret_cast<LPARAM>(&button));
    bar.SendMessage(WM_MOUSEMOVE, 0,
                    MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2));
    EXPECT_STREQ(frame->GetStatusBar().GetPaneText(0),
                 "Copy the selection and put it on the Clipboard");

    EXPECT_EQ(tooltip(bar, ID_EDIT_COPY), "Copy");
    EXPECT_EQ(tooltip(bar, ID_APP_ABOUT), "About");
    EXPECT_EQ(tooltip(bar, ID_SAVE_ICON_AS), "");
    EXPECT_EQ(tooltip(bar, ID_VIEW_BACK), "");
    EXPECT_EQ(tooltip(bar, ID_HELP_FINDER), "");

    // Status bar: the message pane, then CAP, NUM and SCRL.
    CStatusBar& status = frame->GetStatusBar();
    ASSERT_EQ(status.GetCount(), 4);
    EXPECT_EQ(status.GetItemID(1), static_cast<UINT>(ID_INDICATOR_CAPS));
    EXPECT_EQ(status.GetItemID(2), static_cast<UINT>(ID_INDICATOR_NUM));
    EXPECT_EQ(status.GetItemID(3), static_cast<UINT>(ID_INDICATOR_SCRL));
    EXPECT_EQ(status.GetDlgCtrlID(), AFX_IDW_STATUS_BAR);
}

TEST_F(QuarvelStarted, AcceleratorsReachTheirCommands) {
    ASSERT_TRUE(Start());
    ACCEL table[32];
    int count = CopyAcceleratorTableA(frame->m_hAccelTable, table, 32);
    ASSERT_EQ(count, 21);
    auto has = [&](WORD key, BYTE modifiers, WORD command) {
        for (int i = 0; i < count; ++i)
            if (table[i].key == key && (table[i].fVirt & (FCONTROL | FSHIFT | FALT)) == modifiers &&
                table[i].cmd == command)
                return true;
        return false;
    };
    EXPECT_TRUE(has('N', FCONTROL, ID_FILE_NEW));
    EXPECT_TRUE(has('O', FCONTROL, ID_FILE_OPEN));
    EXPECT_TRUE(has('C', FCONTROL, ID_EDIT_COPY));
    EXPECT_TRUE(has(VK_INSERT, FCONTROL, ID_EDIT_COPY));
    EXPECT_TRUE(has(VK_BACK, FALT, ID_EDIT_UNDO));
    EXPECT_TRUE(has(VK_F6, 0, ID_NEXT_PANE));
    EXPECT_TRUE(has(VK_F6, FSHIFT, ID_PREV_PANE));
    EXPECT_TRUE(has('E', FCONTROL, ID_SAVE_ICON_AS));
    EXPECT_TRUE(has('A', FCONTROL, ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(has('F', FCONTROL, ID_EDIT_FIND_ICON));
    // Ctrl + plus / minus on the main keyboard (plus with or without Shift) and the keypad.
    EXPECT_TRUE(has(VK_OEM_PLUS, FCONTROL, ID_VIEW_ICON_SIZE_LARGER));
    EXPECT_TRUE(has(VK_OEM_PLUS, FCONTROL | FSHIFT, ID_VIEW_ICON_SIZE_LARGER));
    EXPECT_TRUE(has(VK_ADD, FCONTROL, ID_VIEW_ICON_SIZE_LARGER));
    EXPECT_TRUE(has(VK_OEM_MINUS, FCONTROL, ID_VIEW_ICON_SIZE_SMALLER));
    EXPECT_TRUE(has(VK_SUBTRACT, FCONTROL, ID_VIEW_ICON_SIZE_SMALLER));

    // F6 walks the panes in reading order: left pane's page, file list, icon list, image pane.
    CView* tree = Tree();
    frame->SetActiveView(tree);
    std::vector<CWnd*> visited;
    for (int i = 0; i < 4; ++i) {
        MSG f6{GetFocus(), WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
        EXPECT_TRUE(theApp.PreTranslateMessage(&f6));
        visited.push_back(frame->GetActiveView());
    }
    EXPECT_EQ(visited, (std::vector<CWnd*>{frame->GetFileList(), frame->GetIconList(),
                                           frame->GetSubIconView(), tree}));
}

TEST_F(QuarvelStarted, KeyIndicatorsFollowTheLockKeys) {
    ASSERT_TRUE(Start());
    SetForegroundWindow(frame->m_hWnd);
    ui::PumpPending();
    CStatusBar& status = frame->GetStatusBar();
    bool capsOn = (GetKeyState(VK_CAPITAL) & 1) != 0;
    EXPECT_STREQ(status.GetPaneText(1), capsOn ? "CAP" : "");
    auto pressCapsLock = [] {
        keybd_event(VK_CAPITAL, 0x3A, 0, 0);
        keybd_event(VK_CAPITAL, 0x3A, KEYEVENTF_KEYUP, 0);
    };
    pressCapsLock();
    EXPECT_TRUE(
        ui::PumpUntil([&] { return status.GetPaneText(1) == (capsOn ? "" : "CAP"); }, 2000));
    pressCapsLock();
    EXPECT_TRUE(
        ui::PumpUntil([&] { return status.GetPaneText(1) == (capsOn ? "CAP" : ""); }, 2000));
}
