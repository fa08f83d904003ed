// CTabPaneView: tabs, their views, selection and layout.
#include "TabPaneView.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CTabPaneView, CCtrlView)

BEGIN_MESSAGE_MAP(CTabPaneView, CCtrlView)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTabPaneView::CTabPaneView()
    : CCtrlView(WC_TABCONTROLA, WS_CHILD | WS_VISIBLE | WS_BORDER | TCS_TOOLTIPS) {}

int CTabPaneView::OnCreate(LPCREATESTRUCT cs) {
    if (CCtrlView::OnCreate(cs) == -1)
        return -1;
    // The child views' creation and destruction may reach the frame through this window.
    ModifyStyleEx(WS_EX_NOPARENTNOTIFY, 0);

    SetDpi(AfxGetWindowDpi(m_hWnd));

    m_hToolTip = reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS));
    SendMessage(TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(m_hToolTip));
    return 0;
}

void CTabPaneView::SetDpi(int dpi) {
    m_nDpi = dpi;
    SetFont(AfxGetMessageFont(dpi), TRUE);
    LayOutViews();
}

RECT CTabPaneView::GetChildArea() const {
    RECT area;
    GetClientRect(&area);
    const int inset = AfxScaleToDpi(kChildInset, m_nDpi);
    area.left += inset;
    area.right -= inset;
    area.bottom -= inset;
    area.top += AfxScaleToDpi(kChildTopInset, m_nDpi);
    return area;
}

bool CTabPaneView::AppendTab(const char* label, const CRuntimeClass* viewClass, CDocument* doc,
                             CCreateContext* context) {
    CCreateContext own;
    if (!context) {
        own.m_pNewViewClass = viewClass;
        own.m_pCurrentDoc = doc;
        own.m_pCurrentFrame = GetParentFrame();
        context = &own;
    }
    if (!viewClass || !viewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return false;
    auto* view = static_cast<CWnd*>(viewClass->CreateObject());
    if (!view)
        return false;
    RECT empty{0, 0, 0, 0};
    // A view whose window fails deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, empty, this, 0, context))
        return false;

    m_pCurrentView = view;
    TabRecord record{view, {}};
    strncpy(record.label, label ? label : "", sizeof record.label - 1);
    m_tabs.push_back(record);
    int count = GetTabCount();

    if (m_hToolTip) {
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = m_hWnd;
        tool.uId = static_cast<UINT_PTR>(count - 1);
        tool.lpszText = m_tabs.back().label;
        if (count == 1) { // the first tab's tip covers the whole control
            tool.uFlags = TTF_IDISHWND;
            tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        }
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }

    if (count > 1)
        Hide(view);

    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = m_tabs.back().label;
    item.iImage = count - 1;
    SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));

    view->MoveWindow(GetChildArea(), TRUE);
    return true;
}

void CTabPaneView::Show(CWnd* view) {
    view->EnableWindow(TRUE);
    view->ShowWindow(SW_SHOWNORMAL);
    view->SetFocus();
}

void CTabPaneView::Hide(CWnd* view) {
    view->EnableWindow(FALSE);
    view->ShowWindow(SW_HIDE);
}

void CTabPaneView::SelectTab(int index) {
    if (index == -1 || index == m_nCurrentIndex || index < 0 || index >= GetTabCount())
        return;
    if (m_nCurrentIndex >= 0 && m_nCurrentIndex < GetTabCount())
        Hide(m_tabs[static_cast<size_t>(m_nCurrentIndex)].view);
    CWnd* view = m_tabs[static_cast<size_t>(index)].view;
    Show(view);
    m_pCurrentView = view;
    m_nCurrentIndex = index;
    SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index));
}

void CTabPaneView::SelectTabOfClass(const CRuntimeClass* viewClass) {
    for (int index = 0; index < GetTabCount(); ++index) {
        CWnd* view = m_tabs[static_cast<size_t>(index)].view;
        if (!view->IsKindOf(viewClass))
            continue;
        if (m_pCurrentView)
            Hide(m_pCurrentView);
        m_pCurrentView = view;
        Show(view);
        m_nCurrentIndex = index;
        SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index));
        return;
    }
}

CWnd* CTabPaneView::GetTabWindow(int index) const {
    if (index < 0 || index >= GetTabCount())
        return nullptr;
    return m_tabs[static_cast<size_t>(index)].view;
}

HIMAGELIST CTabPaneView::SetTabImages(HIMAGELIST images) {
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
}

void CTabPaneView::OnSelChange(NMHDR*, LRESULT* result) {
    SelectTab(static_cast<int>(SendMessage(TCM_GETCURSEL)));
    *result = 0;
}

void CTabPaneView::LayOutViews() {
    RECT area = GetChildArea();
    for (const TabRecord& tab : m_tabs)
        tab.view->MoveWindow(area, TRUE);
}

void CTabPaneView::OnWindowPosChanged(WINDOWPOS* pos) {
    LayOutViews();
    if (pos->flags & SWP_HIDEWINDOW) {
        // A hidden pane cannot keep the frame's keyboard routing.
        if (CFrameWnd* frame = GetParentFrame())
            for (const TabRecord& tab : m_tabs)
                if (static_cast<CWnd*>(frame->GetActiveView()) == tab.view)
                    frame->SetActiveView(nullptr, TRUE);
    }
    Default();
}

BOOL CTabPaneView::OnEraseBkgnd(HDC dc) {
    if (m_pCurrentView && m_pCurrentView->m_hWnd) {
        RECT view;
        m_pCurrentView->GetWindowRect(&view);
        ScreenToClient(&view);
        ExcludeClipRect(dc, view.left, view.top, view.right, view.bottom);
    }
    return static_cast<BOOL>(Default());
}

void CTabPaneView::OnDestroy() {
    // The child views go with their windows right after this; forget them first.
    m_tabs.clear();
    m_pCurrentView = nullptr;
    CCtrlView::OnDestroy();
}
