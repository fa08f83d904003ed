// The tab pane: pages after they are appended, selecting by click, index and class, layout of
// every page in the child area, and a hidden pane giving up the frame's active view.
#include "TabPaneView.h"
#include "UiHarness.h"
#include "WidgetsTestApp.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// Two kinds of page, and a tab pane that its owner gives its pages after creation.
class CFirstPage : public CView {
    DECLARE_DYNCREATE(CFirstPage)
public:
    void OnDraw(HDC) override {}
};
IMPLEMENT_DYNCREATE(CFirstPage, CView)

class CSecondPage : public CView {
    DECLARE_DYNCREATE(CSecondPage)
public:
    void OnDraw(HDC) override {}
};
IMPLEMENT_DYNCREATE(CSecondPage, CView)

class CTestTabPane : public CTabPaneView {
    DECLARE_DYNCREATE(CTestTabPane)
public:
    void OnDraw(HDC) override {}
};
IMPLEMENT_DYNCREATE(CTestTabPane, CTabPaneView)

// A frame whose only pane is a tab pane with the pages "First" and "Second" and a picture each,
// as the main window's left pane.
struct TabFrame {
    CFrameWnd* frame = new CFrameWnd;
    CTestTabPane* pane = nullptr;
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 2, 0);
    TabFrame() {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestTabPane);
        if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
            frame = nullptr;
            return;
        }
        frame->SetWindowPos(nullptr, 0, 0, 400, 500, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOW);
        pane = static_cast<CTestTabPane*>(frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, true));
        ImageList_SetImageCount(images, 2);
        pane->SetTabImages(images);
        pane->AppendTab("First", RUNTIME_CLASS(CFirstPage), nullptr);
        pane->AppendTab("Second", RUNTIME_CLASS(CSecondPage), nullptr);
        ui::PumpPending();
    }
    ~TabFrame() {
        if (frame)
            frame->DestroyWindow(); // deletes the frame and its views
        ImageList_Destroy(images);
        ui::PumpPending();
    }
    CWnd* first() const { return pane->GetTabWindow(0); }
    CWnd* second() const { return pane->GetTabWindow(1); }
    RECT placeOf(CWnd* view) const {
        RECT rect;
        view->GetWindowRect(&rect);
        pane->ScreenToClient(&rect);
        return rect;
    }
    // A click on a tab, as the user makes it.
    void clickTab(int index) {
        RECT tab;
        pane->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&tab));
        ui::Click(pane->m_hWnd, ui::Centre(tab));
    }
};

bool shownAndEnabled(CWnd* view) {
    return view->IsWindowVisible() && view->IsWindowEnabled();
}
bool hiddenAndDisabled(CWnd* view) {
    return !::IsWindowVisible(view->m_hWnd) && !view->IsWindowEnabled();
}
bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
} // namespace

TEST(TabPane, AfterTwoPagesTheFirstIsShownTheSecondHiddenAndTheCurrentViewIsTheLastMade) {
    TabFrame f;
    ASSERT_NE(f.pane, nullptr);
    EXPECT_EQ(ui::ClassName(f.pane->m_hWnd), WC_TABCONTROLA);
    ASSERT_EQ(f.pane->GetTabCount(), 2);
    EXPECT_EQ(f.pane->SendMessage(TCM_GETITEMCOUNT), 2);
    ASSERT_TRUE(f.first() && f.second());
    EXPECT_TRUE(f.first()->IsKindOf(RUNTIME_CLASS(CFirstPage)));
    EXPECT_TRUE(f.second()->IsKindOf(RUNTIME_CLASS(CSecondPage)));

    EXPECT_EQ(f.pane->SendMessage(TCM_GETCURSEL), 0);
    EXPECT_TRUE(shownAndEnabled(f.first()));
    EXPECT_TRUE(hiddenAndDisabled(f.second()));
    EXPECT_EQ(f.pane->GetCurrentView(), f.second());
    EXPECT_EQ(f.pane->GetTabWindow(-1), nullptr);
    EXPECT_EQ(f.pane->GetTabWindow(2), nullptr);

    // Texts and images of the tabs, and the message font.
    for (int index : {0, 1}) {
        char text[32] = "";
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(f.pane->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&item)));
        EXPECT_STREQ(text, index == 0 ? "First" : "Second");
        EXPECT_EQ(item.iImage, index);
    }
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(f.pane->SendMessage(TCM_GETIMAGELIST)), f.images);
    EXPECT_NE(f.pane->GetFont(), nullptr);
    EXPECT_EQ(f.pane->GetExStyle() & WS_EX_NOPARENTNOTIFY, 0u);
    EXPECT_NE(f.pane->GetStyle() & TCS_TOOLTIPS, 0u);

    // Each tab's label is registered as a tip with the tab control's own tooltip control.
    auto tips = reinterpret_cast<HWND>(f.pane->SendMessage(TCM_GETTOOLTIPS));
    ASSERT_NE(tips, nullptr);
    std::vector<std::string> tipTexts;
    int tools = static_cast<int>(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    for (int index = 0; index < tools; ++index) {
        char text[80] = "";
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.lpszText = text;
        if (SendMessageA(tips, TTM_ENUMTOOLSA, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&tool)))
            tipTexts.push_back(text);
    }
    EXPECT_NE(std::find(tipTexts.begin(), tipTexts.end(), "First"), tipTexts.end());
    EXPECT_NE(std::find(tipTexts.begin(), tipTexts.end(), "Second"), tipTexts.end());

    // The owner then brings the first page forward, so current view and index agree.
    f.pane->SelectTabOfClass(RUNTIME_CLASS(CFirstPage));
    EXPECT_EQ(f.pane->GetCurrentView(), f.first());
    EXPECT_EQ(f.pane->GetCurrentIndex(), 0);
    EXPECT_TRUE(shownAndEnabled(f.first()));
    EXPECT_TRUE(hiddenAndDisabled(f.second()));
    EXPECT_EQ(GetFocus(), f.first()->m_hWnd);
}

TEST(TabPane, ClickingTheSecondTabShowsItsPageAndFocusesIt) {
    TabFrame f;
    ASSERT_NE(f.pane, nullptr);
    f.pane->SelectTabOfClass(RUNTIME_CLASS(CFirstPage));

    f.clickTab(1);
    EXPECT_EQ(f.pane->SendMessage(TCM_GETCURSEL), 1);
    EXPECT_EQ(f.pane->GetCurrentIndex(), 1);
    EXPECT_EQ(f.pane->GetCurrentView(), f.second());
    EXPECT_TRUE(hiddenAndDisabled(f.first()));
    EXPECT_TRUE(shownAndEnabled(f.second()));
    EXPECT_EQ(GetFocus(), f.second()->m_hWnd);

    f.clickTab(1); // again: nothing changes
    EXPECT_EQ(f.pane->GetCurrentView(), f.second());
    EXPECT_TRUE(shownAndEnabled(f.second()));

    // Selecting by index: -1 and unknown indexes do nothing.
    f.pane->SelectTab(-1);
    f.pane->SelectTab(5);
    EXPECT_EQ(f.pane->GetCurrentView(), f.second());
    f.pane->SelectTab(0);
    EXPECT_EQ(f.pane->GetCurrentView(), f.first());
    EXPECT_EQ(f.pane->SendMessage(TCM_GETCURSEL), 0);
    EXPECT_TRUE(shownAndEnabled(f.first()));
    EXPECT_TRUE(hiddenAndDisabled(f.second()));

    // By class: a class no page has changes nothing.
    f.pane->SelectTabOfClass(RUNTIME_CLASS(CFormView));
    EXPECT_EQ(f.pane->GetCurrentView(), f.first());
    f.pane->SelectTabOfClass(RUNTIME_CLASS(CSecondPage));
    EXPECT_EQ(f.pane->GetCurrentView(), f.second());
    EXPECT_EQ(f.pane->SendMessage(TCM_GETCURSEL), 1);
}

TEST(TabPane, ResizingMovesEveryPageIntoTheChildArea) {
    TabFrame f;
    ASSERT_NE(f.pane, nullptr);
    for (SIZE size : {SIZE{300, 420}, SIZE{250, 300}}) {
        f.frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        ui::PumpPending();
        RECT client;
        f.pane->GetClientRect(&client);
        RECT expected{client.left + 3, client.top + 26, client.right - 3, client.bottom - 3};
        EXPECT_TRUE(sameRect(f.pane->GetChildArea(), expected));
        EXPECT_TRUE(sameRect(f.placeOf(f.first()), expected)) << "first page at " << size.cx;
        EXPECT_TRUE(sameRect(f.placeOf(f.second()), expected))
            << "hidden second page at " << size.cx;
    }
}

TEST(TabPane, HidingThePaneTakesTheFrameActiveViewAway) {
    TabFrame f;
    ASSERT_NE(f.pane, nullptr);
    f.pane->SelectTabOfClass(RUNTIME_CLASS(CFirstPage));
    f.frame->SetActiveView(static_cast<CView*>(f.first()), FALSE);
    ASSERT_EQ(static_cast<CWnd*>(f.frame->GetActiveView()), f.first());
    f.pane->ShowWindow(SW_HIDE);
    EXPECT_EQ(f.frame->GetActiveView(), nullptr);
}

namespace {
class CRefusedView : public CView {
    DECLARE_DYNCREATE(CRefusedView)
public:
    void OnDraw(HDC) override {}

protected:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRefusedView, CView)
BEGIN_MESSAGE_MAP(CRefusedView, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()
} // namespace

TEST(TabPane, APageThatCannotBeMadeAddsNoTab) {
    TabFrame f;
    ASSERT_NE(f.pane, nullptr);
    CWnd* before = f.pane->GetCurrentView();
    EXPECT_FALSE(f.pane->AppendTab("Abstract", RUNTIME_CLASS(CView), nullptr));
    EXPECT_FALSE(f.pane->AppendTab("Refused", RUNTIME_CLASS(CRefusedView), nullptr));
    EXPECT_FALSE(f.pane->AppendTab("None", nullptr, nullptr));
    EXPECT_EQ(f.pane->GetTabCount(), 2);
    EXPECT_EQ(f.pane->SendMessage(TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(f.pane->GetCurrentView(), before);

    // A third page joins hidden, and its long label is cut to 31 characters.
    EXPECT_TRUE(f.pane->AppendTab("A label that is much longer than thirty-one characters",
                                  RUNTIME_CLASS(CFirstPage), nullptr));
    ASSERT_EQ(f.pane->GetTabCount(), 3);
    EXPECT_TRUE(hiddenAndDisabled(f.pane->GetTabWindow(2)));
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    f.pane->SendMessage(TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::string(text).size(), 31u);
}
