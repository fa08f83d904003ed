// Views and wrappers over real common controls: a view whose window is a tab control, a view
// filled by one control (with a context menu that its update handlers enable), and the
// notifications of real list and tree controls reaching their own objects.
#include "TestClasses.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

namespace {
class CTabsView : public CCtrlView {
    DECLARE_DYNCREATE(CTabsView)
public:
    CTabsView() : CCtrlView(WC_TABCONTROLA, WS_CHILD | WS_VISIBLE | TCS_TOOLTIPS) {}
    bool created = false;
    int selectionChanges = 0;

protected:
    int OnCreate(LPCREATESTRUCT cs) {
        if (CCtrlView::OnCreate(cs) == -1)
            return -1;
        created = true;
        return 0;
    }
    void OnSelChange(NMHDR*, LRESULT* result) {
        ++selectionChanges;
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTabsView, CCtrlView)
BEGIN_MESSAGE_MAP(CTabsView, CCtrlView)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

class CListPaneView : public CSingleCtrlView {
    DECLARE_DYNCREATE(CListPaneView)
public:
    CListPaneView() : CSingleCtrlView(list) {}
    CListCtrl list;
    static bool refuseControl;

protected:
    bool CreateControl() override {
        return !refuseControl &&
               list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 0, 0}, this, 1);
    }
    void OnCommand() {}
    void OnUpdateDisabled(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
bool CListPaneView::refuseControl = false;
IMPLEMENT_DYNCREATE(CListPaneView, CSingleCtrlView)
BEGIN_MESSAGE_MAP(CListPaneView, CSingleCtrlView)
    ON_COMMAND(ID_TEST_HANDLED_BY_VIEW, OnCommand)
    ON_COMMAND(ID_TEST_DISABLED, OnCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

class CCountingList : public CListCtrl {
public:
    int changes = 0;

protected:
    void OnItemChanged(NMHDR*, LRESULT*) { ++changes; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

class CCountingTree : public CTreeCtrl {
public:
    CString selected;

protected:
    void OnSelChanged(NMHDR* header, LRESULT*) {
        selected = GetItemText(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, OnSelChanged)
END_MESSAGE_MAP()
} // namespace

TEST(ControlViews, AViewWhoseWindowIsATabControlGetsItsCreationAndItsNotifications) {
    ui::HostWindow host(400, 300, WS_POPUP | WS_VISIBLE);
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(&host.wnd, 1, 1));
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(CTabsView), SIZE{0, 0}, nullptr));
    auto* tabs = static_cast<CTabsView*>(splitter.GetPane(0, 0));
    EXPECT_TRUE(tabs->created);
    EXPECT_EQ(ui::ClassName(tabs->m_hWnd), WC_TABCONTROLA);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("Folder");
    tabs->SendMessage(TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<char*>("Search");
    tabs->SendMessage(TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(tabs->SendMessage(TCM_GETITEMCOUNT), 2);

    // A click on the second tab: the control tells its parent, which hands it back to the view.
    RECT second;
    tabs->SendMessage(TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    ui::Click(tabs->m_hWnd, POINT{second.left + 5, second.top + 5});
    EXPECT_EQ(tabs->SendMessage(TCM_GETCURSEL), 1);
    EXPECT_EQ(tabs->selectionChanges, 1);
}

TEST(ControlViews, ASingleControlViewSizesAndFocusesItsControlAndItsMenuFollowsItsHandlers) {
    CWnd host;
    ASSERT_TRUE(
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    auto* view = new CListPaneView; // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 200}, &host,
                             AFX_IDW_PANE_FIRST));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CSingleCtrlView, view), view);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CFormView, view), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CView, static_cast<CWnd*>(nullptr)), nullptr);

    view->MoveWindow(10, 10, 250, 120);
    RECT control;
    view->list.GetWindowRect(&control);
    view->ScreenToClient(&control);
    EXPECT_EQ(control.left, 0);
    EXPECT_EQ(control.top, 0);
    EXPECT_EQ(control.right, 250);
    EXPECT_EQ(control.bottom, 120);
    view->SetFocus();
    EXPECT_EQ(GetFocus(), view->list.m_hWnd);

    // A context menu the view owns: its handlers (and only they: no frame stands behind it)
    // enable the items before the menu shows.
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_FRAME));
    std::vector<std::pair<UINT, bool>> items;
    for (const auto& item : ui::ReadPopupMenu([&] { menu.TrackPopupMenu(0, 0, 20, 20, view); }))
        if (item.first == ID_TEST_HANDLED_BY_VIEW || item.first == ID_TEST_DISABLED ||
            item.first == ID_TEST_HANDLED_BY_FRAME)
            items.push_back(item);
    EXPECT_EQ(items, (std::vector<std::pair<UINT, bool>>{{ID_TEST_HANDLED_BY_VIEW, true},
                                                         {ID_TEST_HANDLED_BY_FRAME, false},
                                                         {ID_TEST_DISABLED, false}}));

    // A control that cannot be made fails the view.
    CListPaneView::refuseControl = true;
    EXPECT_FALSE((new CListPaneView)
                     ->Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 10, 10}, &host,
                              AFX_IDW_PANE_FIRST + 1));
    CListPaneView::refuseControl = false;
}

TEST(ControlViews, ListAndTreeControlsHandleTheirOwnNotifications) {
    ui::HostWindow host(400, 300, WS_POPUP | WS_VISIBLE);
    CCountingList list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 200, 150}, &host.wnd, 1));
    EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertItem(0, "first"), 0);
    list.SetItemData(0, 42);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_GE(list.changes, 1);
    EXPECT_EQ(list.GetItemData(0), 42u);
    EXPECT_STREQ(list.GetItemText(0, 0), "first");
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);

    CCountingTree tree;
    ASSERT_TRUE(
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, RECT{200, 0, 400, 150}, &host.wnd, 2));
    HTREEITEM root = tree.InsertItem("C:\\", 0, 0);
    HTREEITEM child = tree.InsertItem("Windows", 0, 0, root);
    tree.SelectItem(child);
    EXPECT_STREQ(tree.selected, "Windows");
    EXPECT_EQ(tree.GetParentItem(child), root);
    EXPECT_EQ(tree.GetSelectedItem(), child);
}
