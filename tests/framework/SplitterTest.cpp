// Static splitters: pane creation by class, the layout rule on resize, minimum sizes, dragging
// a bar, and F6 / Shift+F6 between the panes of a frame.
#include "TestClasses.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

namespace {
RECT paneRect(CWnd* pane, CWnd* parent) {
    RECT rect;
    pane->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}
int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

struct SplitterHost {
    ui::HostWindow host{800, 600, WS_POPUP | WS_VISIBLE};
    CSplitterWnd outer, right;
    SplitterHost() {
        outer.CreateStatic(&host.wnd, 1, 2);
        outer.CreateView(0, 0, RUNTIME_CLASS(CTestView), SIZE{280, 0}, nullptr);
        right.CreateStatic(&outer, 2, 1, WS_CHILD | WS_VISIBLE, outer.IdFromRowCol(0, 1));
        right.CreateView(0, 0, RUNTIME_CLASS(CTestView), SIZE{0, 200}, nullptr);
        right.CreateView(1, 0, RUNTIME_CLASS(CTestView), SIZE{0, 0}, nullptr);
        resize(800, 600);
    }
    void resize(int cx, int cy) { outer.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER); }
};
} // namespace

TEST(Splitter, PanesKeepTheirSizesAndTheLastPaneTakesTheRest) {
    SplitterHost s;
    CWnd* left = s.outer.GetPane(0, 0);
    CWnd* top = s.right.GetPane(0, 0);
    CWnd* bottom = s.right.GetPane(1, 0);
    ASSERT_TRUE(left && top && bottom);
    EXPECT_TRUE(left->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_EQ(s.outer.GetPane(0, 1), static_cast<CWnd*>(&s.right));

    EXPECT_EQ(width(paneRect(left, &s.outer)), 280);
    RECT rightRect = paneRect(&s.right, &s.outer);
    EXPECT_EQ(rightRect.left, 280 + CSplitterWnd::kBarSize);
    EXPECT_EQ(rightRect.right, 800);
    EXPECT_EQ(height(paneRect(top, &s.right)), 200);
    EXPECT_EQ(paneRect(bottom, &s.right).bottom, 600);

    s.resize(1000, 700);
    EXPECT_EQ(width(paneRect(left, &s.outer)), 280);
    EXPECT_EQ(paneRect(&s.right, &s.outer).right, 1000);
    EXPECT_EQ(height(paneRect(top, &s.right)), 200);
    EXPECT_EQ(height(paneRect(bottom, &s.right)), 700 - 200 - CSplitterWnd::kBarSize);

    // Too little room: the first pane gets what there is, the last nothing.
    s.resize(200, 700);
    EXPECT_EQ(width(paneRect(left, &s.outer)), 200);
    EXPECT_EQ(width(paneRect(&s.right, &s.outer)), 0);

    int current = -1, minimum = -1;
    s.outer.GetColumnInfo(0, current, minimum);
    EXPECT_EQ(current, 200);
}

TEST(Splitter, AColumnBelowItsMinimumIsHiddenAndDraggingABarSetsItsSize) {
    SplitterHost s;
    s.outer.SetColumnInfo(0, 40, 50);
    s.outer.RecalcLayout();
    EXPECT_EQ(width(paneRect(s.outer.GetPane(0, 0), &s.outer)), 0);

    s.outer.SetColumnInfo(0, 280, 0);
    s.outer.RecalcLayout();
    int barX = 280 + CSplitterWnd::kBarSize / 2;
    s.outer.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barX, 100));
    s.outer.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(350, 100));
    s.outer.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(350, 100));
    ui::PumpPending();
    EXPECT_EQ(width(paneRect(s.outer.GetPane(0, 0), &s.outer)), 350);
    s.resize(900, 600);
    EXPECT_EQ(width(paneRect(s.outer.GetPane(0, 0), &s.outer)), 350);

    // A drag whose mouse capture is taken away ends: later moves change nothing. Where the bar
    // stands when the capture goes is not checked: the system may make up a move from wherever
    // the real pointer is, and under X it is not known when the pointer's warp arrives.
    POINT pointer{350, 100};
    s.outer.ClientToScreen(&pointer);
    SetCursorPos(pointer.x, pointer.y);
    s.outer.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                        MAKELPARAM(350 + CSplitterWnd::kBarSize / 2, 100));
    ui::PumpPending();
    s.host.wnd.SetCapture();
    ReleaseCapture();
    ui::PumpPending();
    const int ended = width(paneRect(s.outer.GetPane(0, 0), &s.outer));
    s.outer.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 100));
    s.outer.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    ui::PumpPending();
    EXPECT_EQ(width(paneRect(s.outer.GetPane(0, 0), &s.outer)), ended);
}

TEST(Splitter, BarsOfTheSizeSetForTheDisplayAreLaidOutAndDragged) {
    SplitterHost s;
    const int bar = 2 * CSplitterWnd::kBarSize;
    s.outer.SetBarSize(bar);
    s.outer.RecalcLayout();
    EXPECT_EQ(paneRect(&s.right, &s.outer).left, 280 + bar);
    // The far edge of the wider bar still takes the drag.
    s.outer.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(280 + bar - 1, 100));
    s.outer.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 100));
    s.outer.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(400, 100));
    ui::PumpPending();
    EXPECT_EQ(width(paneRect(s.outer.GetPane(0, 0), &s.outer)), 400);
}

TEST(Splitter, APaneOfAClassThatCannotBeCreatedIsRefused) {
    SplitterHost s;
    CSplitterWnd extra;
    ASSERT_TRUE(extra.CreateStatic(&s.host.wnd, 1, 1, WS_CHILD, 1));
    EXPECT_FALSE(extra.CreateView(0, 0, RUNTIME_CLASS(CView), SIZE{10, 10}, nullptr));
    EXPECT_EQ(extra.GetPane(0, 0), nullptr);
    EXPECT_FALSE(extra.CreateView(1, 0, RUNTIME_CLASS(CTestView), SIZE{10, 10}, nullptr));
}

namespace {
// A frame with three views in two splitters, as an application's main window has.
class CPaneFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CPaneFrame)
public:
    CSplitterWnd m_outer, m_right;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
        return m_outer.CreateStatic(this, 1, 2) &&
               m_outer.CreateView(0, 0, RUNTIME_CLASS(CTestView), SIZE{200, 0}, context) &&
               m_right.CreateStatic(&m_outer, 2, 1, WS_CHILD | WS_VISIBLE,
                                    m_outer.IdFromRowCol(0, 1)) &&
               m_right.CreateView(0, 0, RUNTIME_CLASS(CTestView), SIZE{0, 150}, context) &&
               m_right.CreateView(1, 0, RUNTIME_CLASS(CTestView), SIZE{0, 0}, context);
    }
};
IMPLEMENT_DYNCREATE(CPaneFrame, CFrameWnd)
} // namespace

TEST(Splitter, F6AndShiftF6MoveBetweenThePanesOfTheFrame) {
    CSingleDocTemplate docTemplate(IDR_TEST_FRAME, RUNTIME_CLASS(CTestDoc),
                                   RUNTIME_CLASS(CPaneFrame), RUNTIME_CLASS(CTestView));
    CDocument* doc = docTemplate.OpenDocumentFile(nullptr);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetViews().size(), 3u);
    auto* frame = static_cast<CPaneFrame*>(doc->GetViews().front()->GetParentFrame());
    for (CView* view : doc->GetViews())
        EXPECT_EQ(static_cast<CTestView*>(view)->m_initialUpdates, 1);
    CWnd* left = frame->m_outer.GetPane(0, 0);
    CWnd* top = frame->m_right.GetPane(0, 0);
    CWnd* bottom = frame->m_right.GetPane(1, 0);
    EXPECT_EQ(frame->GetActiveView(), left); // the first pane starts active

    frame->SendMessage(WM_COMMAND, ID_NEXT_PANE);
    EXPECT_EQ(frame->GetActiveView(), top);
    EXPECT_EQ(GetFocus(), top->m_hWnd);
    // Through the accelerator table, as a key press arrives.
    MSG f6{top->m_hWnd, WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_TRUE(AfxGetApp()->PreTranslateMessage(&f6));
    EXPECT_EQ(frame->GetActiveView(), bottom);
    frame->SendMessage(WM_COMMAND, ID_NEXT_PANE);
    EXPECT_EQ(frame->GetActiveView(), left); // wraps around
    frame->SendMessage(WM_COMMAND, ID_PREV_PANE);
    EXPECT_EQ(frame->GetActiveView(), bottom);

    // A click in a pane makes it the active view.
    top->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(frame->GetActiveView(), top);
    frame->DestroyWindow();
    ui::PumpPending();
}
