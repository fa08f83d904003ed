// CLinkStatic: attaching to a static control, colours, hover tracking, the hand pointer, clicks.
#include "LinkStatic.h"

IMPLEMENT_DYNAMIC(CLinkStatic, CStatic)

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR kLinkTool = 1;
} // namespace

CLinkStatic::CLinkStatic() : m_crHover(GetSysColor(COLOR_HIGHLIGHT)) {}

void CLinkStatic::PreSubclassWindow() {
    ModifyStyle(0, SS_NOTIFY);
    if (m_strTarget.IsEmpty())
        m_strTarget = GetWindowText();
    if (GetWindowTextLength() == 0)
        SetWindowText(m_strTarget);

    HFONT current = GetFont();
    if (!current)
        current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA description{};
    if (GetObjectA(current, sizeof description, &description)) {
        description.lfUnderline = m_bUnderline ? TRUE : FALSE;
        m_font.Reset(CreateFontIndirectA(&description));
        if (m_font)
            SetFont(m_font.Get(), TRUE);
    }
    FitToText();

    if (m_toolTip.Create(this)) {
        RECT client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, m_strTarget, &client, kLinkTool);
    }
    CStatic::PreSubclassWindow();
}

void CLinkStatic::SetTarget(const char* target) {
    m_strTarget = target ? target : "";
    if (!m_hWnd)
        return;
    FitToText();
    if (m_toolTip.m_hWnd)
        m_toolTip.UpdateTipText(m_strTarget, this, kLinkTool);
}

void CLinkStatic::MarkVisited(bool visited) {
    m_bVisited = visited;
    if (m_hWnd)
        Invalidate(TRUE);
}

INT_PTR CLinkStatic::OpenLink(const char* target, int showCommand) {
    return ::OpenLink(target, showCommand);
}

void CLinkStatic::ShowLinkError(INT_PTR result) {
    ::ShowLinkError(result);
}

LONG CLinkStatic::ReadClassesDefault(HKEY root, const char* subkey, CString& value) {
    return ::ReadClassesDefault(root, subkey, value);
}

void CLinkStatic::FitToText() {
    if (!m_hWnd || !m_bFitToText)
        return;
    RECT rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);

    CString text = GetWindowText();
    SIZE extent{0, 0};
    {
        const ScopedWindowDC dc(m_hWnd);
        const ScopedSelect font(dc.Get(), GetFont());
        GetTextExtentPoint32A(dc.Get(), text, text.GetLength(), &extent);
    }

    SetWindowPos(nullptr, rect.left, rect.top, extent.cx, extent.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CLinkStatic::PreTranslateMessage(MSG* msg) {
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

void CLinkStatic::OnClicked() {
    INT_PTR result = OpenLink(m_strTarget, SW_SHOW);
    m_bVisited = result > 32;
    if (m_bVisited) {
        MarkVisited(true);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
        Invalidate(TRUE); // back to the unvisited colour
        ShowLinkError(result);
    }
}

COLORREF CLinkStatic::GetTextColour() const {
    if (m_bOverLink)
        return m_crHover;
    return m_bVisited ? m_crVisited : m_crLink;
}

HBRUSH CLinkStatic::CtlColor(HDC dc, UINT) {
    SetTextColor(dc, GetTextColour());
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CLinkStatic::RedrawNow() {
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CLinkStatic::OnMouseMove(UINT flags, POINT point) {
    CStatic::OnMouseMove(flags, point);
    if (!m_bOverLink) {
        m_bOverLink = true;
        RedrawNow();
        SetCapture();
        return;
    }
    RECT client;
    GetClientRect(&client);
    if (!PtInRect(&client, point)) {
        m_bOverLink = false;
        ReleaseCapture();
        RedrawNow();
    }
}

BOOL CLinkStatic::OnSetCursor(HWND, UINT, UINT) {
    // The system's own hand: shared, never destroyed.
    const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    if (!hand)
        return static_cast<BOOL>(Default());
    ::SetCursor(hand);
    return TRUE;
}
