// CView, CCtrlView, CSingleCtrlView and CFormView.
#include "View.h"

#include "Dialog.h"
#include "Document.h"
#include "Frame.h"
#include "MessageFont.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CCtrlView, CView)
IMPLEMENT_DYNAMIC(CSingleCtrlView, CView)
IMPLEMENT_DYNAMIC(CFormView, CView)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CSingleCtrlView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CFormView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CView::OnDestroy() {
    // The frame must not route commands to a view that is going away.
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->GetActiveView() == this)
            frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CCreateContext* context =
        m_pCreateContext ? m_pCreateContext : static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    OnDraw(dc);
    EndPaint(m_hWnd, &ps);
}

int CView::OnMouseActivate(HWND topParent, UINT hitTest, UINT message) {
    int result = CWnd::OnMouseActivate(topParent, hitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->GetActiveView() != this)
            frame->SetActiveView(this, FALSE);
    return result;
}

void CView::OnSetFocus(HWND old) {
    CWnd::OnSetFocus(old);
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->GetActiveView() != this)
            frame->SetActiveView(this, FALSE);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate();
}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
    if (activate && activateView == this && ::GetFocus() != m_hWnd &&
        !::IsChild(m_hWnd, ::GetFocus()))
        SetFocus();
}

bool CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

int CSingleCtrlView::OnCreate(LPCREATESTRUCT cs) {
    if (CView::OnCreate(cs) == -1)
        return -1;
    if (!CreateControl())
        return -1;
    SetDpi(AfxGetWindowDpi(m_hWnd));
    return 0;
}

void CSingleCtrlView::SetDpi(int dpi) {
    m_nDpi = dpi;
    if (m_control.m_hWnd)
        m_control.SetFont(AfxGetMessageFont(dpi), TRUE);
}

void CSingleCtrlView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    if (m_control.m_hWnd)
        m_control.MoveWindow(0, 0, cx, cy, TRUE);
}

void CSingleCtrlView::OnSetFocus(HWND old) {
    CView::OnSetFocus(old);
    if (m_control.m_hWnd)
        m_control.SetFocus();
}

BOOL CFormView::Create(const char*, const char*, DWORD style, const RECT& rect, CWnd* parent,
                       UINT id, CCreateContext* context) {
    m_pCreateContext = context;
    HWND hWnd = AfxCreateDialogFromTemplate(this, m_nIDTemplate, parent ? parent->m_hWnd : nullptr);
    m_pCreateContext = nullptr;
    if (!hWnd)
        return FALSE;
    // The template says child; the caller says where, which id and whether visible.
    SetDlgCtrlID(static_cast<int>(id));
    ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD | (style & (WS_BORDER | WS_DISABLED)));
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* msg) {
    // The frame's accelerators come first: the dialog navigation would swallow them.
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->PreTranslateMessage(msg))
            return TRUE;
    return ::IsDialogMessageA(m_hWnd, msg);
}
