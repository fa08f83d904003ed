// Command routing (active view, its document, frame, application), update handlers of menus and
// toolbar buttons, prompts and tooltips, bar toggles.
#include "TestClasses.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

namespace {
void command(CWnd* frame, UINT id) {
    frame->SendMessage(WM_COMMAND, id, 0);
}

CView* onlyView(CDocument* doc) {
    return doc->GetViews().empty() ? nullptr : doc->GetViews().front();
}
} // namespace

TEST(CommandRouting, ActiveViewThenDocumentThenFrameThenApplication) {
    TestDocumentWindow window;
    ASSERT_NE(window.frame, nullptr);
    ASSERT_EQ(window.frame->GetActiveView(), onlyView(window.doc));

    command(window.frame, ID_TEST_HANDLED_BY_VIEW);
    command(window.frame, ID_TEST_HANDLED_BY_DOC);
    command(window.frame, ID_TEST_HANDLED_BY_FRAME);
    command(window.frame, ID_TEST_HANDLED_BY_APP);
    EXPECT_EQ(CallLog(), (std::vector<std::string>{"view", "doc", "frame", "app"}));

    // Without an active view the frame comes before the application.
    CallLog().clear();
    window.frame->SetActiveView(nullptr);
    command(window.frame, ID_TEST_HANDLED_BY_VIEW);
    EXPECT_EQ(CallLog(), std::vector<std::string>{"frame:view-command"});
}

TEST(CommandRouting, DisabledCommandsFromMenusAndAcceleratorsAreRefused) {
    TestDocumentWindow window;
    command(window.frame, ID_TEST_DISABLED);
    EXPECT_TRUE(CallLog().empty());
}

TEST(UpdateHandlers, MenuItemsFollowTheirHandlersWhenTheMenuOpens) {
    TestDocumentWindow window;
    HMENU popup = GetSubMenu(window.frame->GetMenu(), 0);
    ASSERT_NE(popup, nullptr);
    window.frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    auto state = [&](UINT id) { return GetMenuState(popup, id, MF_BYCOMMAND); };
    EXPECT_FALSE(state(ID_TEST_HANDLED_BY_VIEW) & MF_GRAYED);
    EXPECT_FALSE(state(ID_TEST_HANDLED_BY_APP) & MF_GRAYED);
    EXPECT_TRUE(state(ID_TEST_NO_HANDLER) & MF_GRAYED);
    EXPECT_TRUE(state(ID_TEST_DISABLED) & MF_GRAYED);
    EXPECT_TRUE(state(ID_TEST_CHECKED) & MF_CHECKED);
    EXPECT_TRUE(state(ID_VIEW_TOOLBAR) & MF_CHECKED);

    // Hiding the toolbar unchecks its menu item and gives its room to the view.
    RECT before, after;
    onlyView(window.doc)->GetWindowRect(&before);
    command(window.frame, ID_VIEW_TOOLBAR);
    onlyView(window.doc)->GetWindowRect(&after);
    EXPECT_FALSE(window.frame->m_toolBar.IsWindowVisible());
    EXPECT_LT(after.top, before.top);
    window.frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_FALSE(state(ID_VIEW_TOOLBAR) & MF_CHECKED);
}

TEST(UpdateHandlers, ToolbarButtonsFollowTheirHandlersWhenIdle) {
    TestDocumentWindow window;
    CToolBar& bar = window.frame->m_toolBar;
    auto enabled = [&](UINT id) { return bar.SendMessage(TB_ISBUTTONENABLED, id) != 0; };
    ui::PumpPending();
    EXPECT_TRUE(enabled(ID_TEST_HANDLED_BY_VIEW));
    EXPECT_TRUE(enabled(ID_TEST_HANDLED_BY_FRAME));
    EXPECT_FALSE(enabled(ID_TEST_NO_HANDLER));
    EXPECT_FALSE(enabled(ID_TEST_DISABLED));
    // The update follows the active view: without it the view's command is still the frame's.
    window.frame->SetActiveView(nullptr);
    ui::PumpPending();
    EXPECT_TRUE(enabled(ID_TEST_HANDLED_BY_VIEW));
    EXPECT_TRUE(enabled(ID_TEST_DISABLED) == false);
}

TEST(Prompts, MenuSelectionShowsThePromptAndClosingShowsTheIdleMessage) {
    TestDocumentWindow window;
    CStatusBar& status = window.frame->m_statusBar;
    HMENU popup = GetSubMenu(window.frame->GetMenu(), 0);
    window.frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_HANDLED_BY_VIEW, MF_STRING),
                              reinterpret_cast<LPARAM>(popup));
    EXPECT_STREQ(status.GetPaneText(0), "Runs in the view");
    window.frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_NO_HANDLER, MF_STRING),
                              reinterpret_cast<LPARAM>(popup));
    EXPECT_STREQ(status.GetPaneText(0), "");
    window.frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ(status.GetPaneText(0), "Ready");
}

TEST(Prompts, ToolbarHoverShowsThePromptAndTooltipsTheTextAfterTheNewline) {
    TestDocumentWindow window;
    CToolBar& bar = window.frame->m_toolBar;
    NMTBHOTITEM hot{};
    hot.hdr = NMHDR{bar.m_hWnd, AFX_IDW_TOOLBAR, static_cast<UINT>(TBN_HOTITEMCHANGE)};
    hot.idNew = ID_TEST_HANDLED_BY_FRAME;
    window.frame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_STREQ(window.frame->m_statusBar.GetPaneText(0), "Runs in the frame");
    hot.dwFlags = HICF_LEAVING;
    window.frame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_STREQ(window.frame->m_statusBar.GetPaneText(0), "Ready");

    HWND tips = reinterpret_cast<HWND>(bar.SendMessage(TB_GETTOOLTIPS));
    NMTTDISPINFOA info{};
    info.hdr = NMHDR{tips, ID_TEST_HANDLED_BY_VIEW, static_cast<UINT>(TTN_GETDISPINFOA)};
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.lpszText, "By View");
    NMTTDISPINFOW wide{};
    wide.hdr = NMHDR{tips, ID_TEST_HANDLED_BY_FRAME, static_cast<UINT>(TTN_GETDISPINFOW)};
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide));
    EXPECT_STREQ(wide.lpszText, L""); // a prompt without "\n" has no tooltip
}

// A frame is laid out before it shows (Quarvel's start-up): its bars take their room all the same.
TEST(ControlBars, AHiddenFrameLaysOutItsBarsAsItWillShowThem) {
    TestDocumentWindow window;
    window.frame->ShowWindow(SW_HIDE);
    window.frame->SetWindowPos(nullptr, 0, 0, 520, 410, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client, bar, status, view;
    window.frame->GetClientRect(&client);
    const auto placeOf = [&](CWnd* child, RECT& place) {
        child->GetWindowRect(&place);
        window.frame->ScreenToClient(&place);
    };
    placeOf(&window.frame->m_toolBar, bar);
    placeOf(&window.frame->m_statusBar, status);
    placeOf(onlyView(window.doc), view);
    EXPECT_GT(bar.bottom, 0);
    EXPECT_EQ(view.top, bar.bottom);
    EXPECT_EQ(status.right - status.left, client.right);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(view.bottom, status.top);
}

TEST(ControlBars, ToolbarDocksOnEverySideTheFrameAllows) {
    TestDocumentWindow window;
    CToolBar& bar = window.frame->m_toolBar;
    RECT client, place;
    window.frame->GetClientRect(&client);
    auto barRect = [&] {
        bar.GetWindowRect(&place);
        window.frame->ScreenToClient(&place);
        return place;
    };
    EXPECT_EQ(barRect().top, 0);
    window.frame->DockControlBar(&bar, CBRS_ALIGN_LEFT);
    EXPECT_EQ(barRect().left, 0);
    EXPECT_EQ(barRect().top, 0);
    EXPECT_LT(place.right - place.left, 60);
    window.frame->DockControlBar(&bar, CBRS_ALIGN_RIGHT);
    EXPECT_EQ(barRect().right, client.right);
    window.frame->DockControlBar(&bar, CBRS_ALIGN_BOTTOM);
    RECT status;
    window.frame->m_statusBar.GetWindowRect(&status);
    window.frame->ScreenToClient(&status);
    EXPECT_EQ(barRect().bottom, status.top); // above the status bar
    window.frame->EnableDocking(CBRS_ALIGN_TOP);
    window.frame->DockControlBar(&bar, CBRS_ALIGN_LEFT); // not allowed: stays
    EXPECT_EQ(barRect().bottom, status.top);
}

namespace {
// Presses on the toolbar's gripper and releases at a point of the frame's client area.
void dragToolbar(CToolBar& bar, CFrameWnd* frame, POINT drop) {
    RECT window;
    bar.GetWindowRect(&window);
    POINT grip{window.left + 3, window.top + 3};
    ASSERT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBORDER);
    frame->ClientToScreen(&drop);
    bar.ScreenToClient(&drop);
    bar.PostMessage(WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(grip.x, grip.y));
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    ui::PumpPending();
}
} // namespace

TEST(ControlBars, DraggingTheGripperDocksTheToolbarAtTheNearestEdgeAndBack) {
    TestDocumentWindow window;
    CToolBar& bar = window.frame->m_toolBar;
    RECT client, place;
    window.frame->GetClientRect(&client);
    dragToolbar(bar, window.frame, POINT{client.right - 3, client.bottom / 2});
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_RIGHT);
    bar.GetWindowRect(&place);
    window.frame->ScreenToClient(&place);
    EXPECT_EQ(place.right, client.right);
    // Standing on the side, the bar has its gripper on top, and comes back by it.
    dragToolbar(bar, window.frame, POINT{client.right / 2, 2});
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_TOP);
    bar.GetWindowRect(&place);
    window.frame->ScreenToClient(&place);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.right, client.right);
    // A press on a button is a button press, not a drag.
    RECT button;
    bar.SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.left + 3, button.top + 3));
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(button.left + 3, button.bottom + 300));
    ui::PumpPending();
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_TOP);
}
