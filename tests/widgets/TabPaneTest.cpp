// The tab pane and the browser: pages after creation, selecting by click, index and class,
// layout of every page in the child area, and a hidden pane giving up the frame's active view.
#include "Browser.h"
#include "BrowserPages.h"
#include "UiHarness.h"
#include "WidgetsTestApp.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// A frame whose only pane is a CBrowser, as the main window's left pane.
struct BrowserFrame {
    CFrameWnd* frame = new CFrameWnd;
    CBrowser* browser = nullptr;
    BrowserFrame() {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CBrowser);
        if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
            frame = nullptr;
            return;
        }
        frame->SetWindowPos(nullptr, 0, 0, 400, 500, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOW);
        browser = static_cast<CBrowser*>(frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, true));
        ui::PumpPending();
    }
    ~BrowserFrame() {
        if (frame)
            frame->DestroyWindow(); // deletes the frame and its views
        ui::PumpPending();
    }
    CWnd* folder() const { return browser->GetTabWindow(CBrowser::kFolderPage); }
    CWnd* search() const { return browser->GetTabWindow(CBrowser::kSearchPage); }
    RECT placeOf(CWnd* view) const {
        RECT rect;
        view->GetWindowRect(&rect);
        browser->ScreenToClient(&rect);
        return rect;
    }
    // A click on a tab, as the user makes it.
    void clickTab(int index) {
        RECT tab;
        browser->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(&tab));
        ui::Click(browser->m_hWnd, ui::Centre(tab));
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

TEST(Browser, AfterCreationFolderIsShownSearchIsHiddenAndTheCurrentViewIsTheLastPageMade) {
    BrowserFrame f;
    ASSERT_NE(f.browser, nullptr);
    EXPECT_EQ(ui::ClassName(f.browser->m_hWnd), WC_TABCONTROLA);
    ASSERT_EQ(f.browser->GetTabCount(), 2);
    EXPECT_EQ(f.browser->SendMessage(TCM_GETITEMCOUNT), 2);
    ASSERT_TRUE(f.folder() && f.search());
    EXPECT_TRUE(f.folder()->IsKindOf(RUNTIME_CLASS(CFileTreeView)));
    EXPECT_TRUE(f.search()->IsKindOf(RUNTIME_CLASS(CSearchDlg)));

    EXPECT_EQ(f.browser->SendMessage(TCM_GETCURSEL), 0);
    EXPECT_TRUE(shownAndEnabled(f.folder()));
    EXPECT_TRUE(hiddenAndDisabled(f.search()));
    EXPECT_EQ(f.browser->GetCurrentView(), f.search());
    EXPECT_EQ(f.browser->GetTabWindow(-1), nullptr);
    EXPECT_EQ(f.browser->GetTabWindow(2), nullptr);

    // Texts and images of the tabs, and the message font.
    for (int index : {0, 1}) {
        char text[32] = "";
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(f.browser->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(&item)));
        EXPECT_STREQ(text, index == 0 ? "Folder" : "Search");
        EXPECT_EQ(item.iImage, index);
    }
    auto images = reinterpret_cast<HIMAGELIST>(f.browser->SendMessage(TCM_GETIMAGELIST));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_NE(f.browser->GetFont(), nullptr);
    EXPECT_EQ(f.browser->GetExStyle() & WS_EX_NOPARENTNOTIFY, 0u);
    EXPECT_NE(f.browser->GetStyle() & TCS_TOOLTIPS, 0u);

    // Each tab's label is registered as a tip with the tab control's own tooltip control.
    auto tips = reinterpret_cast<HWND>(f.browser->SendMessage(TCM_GETTOOLTIPS));
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
    EXPECT_NE(std::find(tipTexts.begin(), tipTexts.end(), "Folder"), tipTexts.end());
    EXPECT_NE(std::find(tipTexts.begin(), tipTexts.end(), "Search"), tipTexts.end());

    // The frame then brings the folder page forward, so current view and index agree.
    f.browser->SelectTabOfClass(RUNTIME_CLASS(CFileTreeView));
    EXPECT_EQ(f.browser->GetCurrentView(), f.folder());
    EXPECT_EQ(f.browser->GetCurrentIndex(), 0);
    EXPECT_TRUE(shownAndEnabled(f.folder()));
    EXPECT_TRUE(hiddenAndDisabled(f.search()));
    EXPECT_EQ(GetFocus(), f.folder()->m_hWnd);
}

TEST(Browser, ClickingSearchShowsTheSearchPageAndFocusesIt) {
    BrowserFrame f;
    ASSERT_NE(f.browser, nullptr);
    f.browser->SelectTabOfClass(RUNTIME_CLASS(CFileTreeView));

    f.clickTab(1);
    EXPECT_EQ(f.browser->SendMessage(TCM_GETCURSEL), 1);
    EXPECT_EQ(f.browser->GetCurrentIndex(), 1);
    EXPECT_EQ(f.browser->GetCurrentView(), f.search());
    EXPECT_TRUE(hiddenAndDisabled(f.folder()));
    EXPECT_TRUE(shownAndEnabled(f.search()));
    EXPECT_EQ(GetFocus(), f.search()->m_hWnd);

    f.clickTab(1); // again: nothing changes
    EXPECT_EQ(f.browser->GetCurrentView(), f.search());
    EXPECT_TRUE(shownAndEnabled(f.search()));

    // Selecting by index: -1 and unknown indexes do nothing.
    f.browser->SelectTab(-1);
    f.browser->SelectTab(5);
    EXPECT_EQ(f.browser->GetCurrentView(), f.search());
    f.browser->SelectTab(0);
    EXPECT_EQ(f.browser->GetCurrentView(), f.folder());
    EXPECT_EQ(f.browser->SendMessage(TCM_GETCURSEL), 0);
    EXPECT_TRUE(shownAndEnabled(f.folder()));
    EXPECT_TRUE(hiddenAndDisabled(f.search()));

    // By class: a class no page has changes nothing.
    f.browser->SelectTabOfClass(RUNTIME_CLASS(CFormView));
    EXPECT_EQ(f.browser->GetCurrentView(), f.folder());
    f.browser->SelectTabOfClass(RUNTIME_CLASS(CSearchDlg));
    EXPECT_EQ(f.browser->GetCurrentView(), f.search());
    EXPECT_EQ(f.browser->SendMessage(TCM_GETCURSEL), 1);
}

TEST(Browser, ResizingMovesEveryPageIntoTheChildArea) {
    BrowserFrame f;
    ASSERT_NE(f.browser, nullptr);
    for (SIZE size : {SIZE{300, 420}, SIZE{250, 300}}) {
        f.frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        ui::PumpPending();
        RECT client;
        f.browser->GetClientRect(&client);
        RECT expected{client.left + 3, client.top + 26, client.right - 3, client.bottom - 3};
        EXPECT_TRUE(sameRect(f.browser->GetChildArea(), expected));
        EXPECT_TRUE(sameRect(f.placeOf(f.folder()), expected)) << "folder page at " << size.cx;
        EXPECT_TRUE(sameRect(f.placeOf(f.search()), expected))
            << "hidden search page at " << size.cx;
    }
}

TEST(Browser, HidingThePaneTakesTheFrameActiveViewAway) {
    BrowserFrame f;
    ASSERT_NE(f.browser, nullptr);
    f.browser->SelectTabOfClass(RUNTIME_CLASS(CFileTreeView));
    f.frame->SetActiveView(static_cast<CView*>(f.folder()), FALSE);
    ASSERT_EQ(static_cast<CWnd*>(f.frame->GetActiveView()), f.folder());
    f.browser->ShowWindow(SW_HIDE);
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

TEST(Browser, APageThatCannotBeMadeAddsNoTab) {
    BrowserFrame f;
    ASSERT_NE(f.browser, nullptr);
    CWnd* before = f.browser->GetCurrentView();
    EXPECT_FALSE(f.browser->AppendTab("Abstract", RUNTIME_CLASS(CView), nullptr));
    EXPECT_FALSE(f.browser->AppendTab("Refused", RUNTIME_CLASS(CRefusedView), nullptr));
    EXPECT_FALSE(f.browser->AppendTab("None", nullptr, nullptr));
    EXPECT_EQ(f.browser->GetTabCount(), 2);
    EXPECT_EQ(f.browser->SendMessage(TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(f.browser->GetCurrentView(), before);

    // A third page joins hidden, and its long label is cut to 31 characters.
    EXPECT_TRUE(f.browser->AppendTab("A label that is much longer than thirty-one characters",
                                     RUNTIME_CLASS(CFileTreeView), nullptr));
    ASSERT_EQ(f.browser->GetTabCount(), 3);
    EXPECT_TRUE(hiddenAndDisabled(f.browser->GetTabWindow(2)));
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    f.browser->SendMessage(TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::string(text).size(), 31u);
}
