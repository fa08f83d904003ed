// CControlBar, CToolBar and CStatusBar.
#include "ControlBar.h"

#include "Frame.h"
#include "FwIds.h"
#include "WinApp.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

int CControlBar::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CWnd* parent = CWnd::FromHandlePermanent(cs->hwndParent);
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockFrame = static_cast<CFrameWnd*>(parent);
        m_pDockFrame->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy() {
    if (m_pDockFrame)
        m_pDockFrame->RemoveControlBar(this);
    m_pDockFrame = nullptr;
    CWnd::OnDestroy();
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    // Bars in a frame are updated by the frame; a bar elsewhere updates itself from its parent.
    if (!m_pDockFrame && IsWindowVisible())
        if (CFrameWnd* frame = GetParentFrame())
            OnUpdateCmdUI(frame, wParam != 0);
    return 0;
}

// ---- Toolbar

namespace {
class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(CToolBar* bar) : m_bar(bar) {}
    void Enable(BOOL on) override {
        m_bEnableChanged = true;
        bool enabled = m_bar->SendMessage(TB_ISBUTTONENABLED, m_nID) != 0;
        if (enabled != (on != 0))
            m_bar->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELONG(on ? TRUE : FALSE, 0));
    }
    void SetCheck(int check) override {
        bool checked = m_bar->SendMessage(TB_ISBUTTONCHECKED, m_nID) != 0;
        if (checked != (check != 0))
            m_bar->SendMessage(TB_CHECKBUTTON, m_nID, MAKELONG(check ? TRUE : FALSE, 0));
    }
    void SetText(const char*) override {}

private:
    CToolBar* m_bar;
};

// The toolbar resource: version 1, image width and height, button count, then the ids.
struct ToolBarResource {
    WORD version, width, height, count;
};
} // namespace

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_NOTIFY_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, OnToolTipTextA)
    ON_NOTIFY_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnToolTipTextW)
    ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, OnHotItemChange)
END_MESSAGE_MAP()

BOOL CToolBar::CreateEx(CWnd* parent, DWORD controlStyle, DWORD style, UINT id) {
    m_dwStyle = style & (CBRS_ALIGN_ANY | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    DWORD windowStyle = (style & (WS_CHILD | WS_VISIBLE)) | WS_CHILD | WS_CLIPSIBLINGS | controlStyle |
                        CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE |
                        ((style & CBRS_TOOLTIPS) ? TBSTYLE_TOOLTIPS : 0);
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, 0, 0, 0, 0, parent->m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetBarStyle(m_dwStyle);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(241));
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    auto* data = loaded ? static_cast<const ToolBarResource*>(LockResource(loaded)) : nullptr;
    if (!data || data->version != 1 || SizeofResource(instance, resource) < sizeof(ToolBarResource) + data->count * sizeof(WORD))
        return FALSE;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(data->width, data->height));
    // The bitmap of the same id, when there is one; a frame may give an image list instead.
    if (FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2))) {
        TBADDBITMAP bitmap{instance, resourceId};
        SendMessage(TB_ADDBITMAP, data->count, reinterpret_cast<LPARAM>(&bitmap));
    }
    auto* words = reinterpret_cast<const WORD*>(data + 1);
    std::vector<UINT> ids(words, words + data->count);
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
    while (GetCount() > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    int image = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        button.idCommand = static_cast<int>(ids[i]);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = ids[i] == ID_SEPARATOR ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = ids[i] == ID_SEPARATOR ? 0 : image++;
        if (!SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button)))
            return FALSE;
    }
    SetBarStyle(m_dwStyle);
    return TRUE;
}

UINT CToolBar::GetItemID(int index) const {
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return static_cast<UINT>(button.idCommand);
}

void CToolBar::SetBarStyle(DWORD style) {
    CControlBar::SetBarStyle(style);
    if (!m_hWnd)
        return;
    // Docked on the left or right the buttons stand in one column.
    bool vertical = !IsHorizontal();
    SendMessage(TB_SETINDENT, (style & CBRS_GRIPPER) && !vertical ? kGripperSize : 0);
    for (int i = 0, count = GetCount(); i < count; ++i) {
        UINT id = GetItemID(i);
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        BYTE state = vertical ? (button.fsState | TBSTATE_WRAP) : (button.fsState & ~TBSTATE_WRAP);
        SendMessage(TB_SETSTATE, id, MAKELONG(state, 0));
    }
    Invalidate();
}

SIZE CToolBar::CalcFixedLayout(int sideLength) {
    DWORD buttonSize = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    if (IsHorizontal())
        return SIZE{sideLength, HIWORD(buttonSize) + 4};
    return SIZE{LOWORD(buttonSize) + 4, sideLength};
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) {
    CToolCmdUI item(this);
    for (int i = 0, count = GetCount(); i < count; ++i) {
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP)
            continue;
        item.m_nID = static_cast<UINT>(button.idCommand);
        item.m_nIndex = static_cast<UINT>(i);
        item.DoUpdate(target, disableIfNoHandler);
    }
}

CString CToolBar::GetTipText(UINT id) {
    CString text;
    text.LoadString(id);
    int newline = text.Find('\n');
    return newline < 0 ? CString() : text.Mid(newline + 1);
}

void CToolBar::OnToolTipTextA(NMHDR* header, LRESULT* result) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    lstrcpynA(info->szText, GetTipText(static_cast<UINT>(header->idFrom)), sizeof info->szText);
    info->lpszText = info->szText;
    info->hinst = nullptr;
    *result = 0;
}

void CToolBar::OnToolTipTextW(NMHDR* header, LRESULT* result) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    CString tip = GetTipText(static_cast<UINT>(header->idFrom));
    MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, ARRAYSIZE(info->szText));
    info->szText[ARRAYSIZE(info->szText) - 1] = L'\0';
    info->lpszText = info->szText;
    info->hinst = nullptr;
    *result = 0;
}

BOOL CToolBar::OnHotItemChange(NMHDR* header, LRESULT*) {
    auto* change = reinterpret_cast<NMTBHOTITEM*>(header);
    if (!(m_dwStyle & CBRS_FLYBY) || !m_pDockFrame)
        return FALSE;
    if (change->dwFlags & HICF_LEAVING) {
        m_pDockFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    } else {
        CString prompt;
        m_pDockFrame->GetMessageString(static_cast<UINT>(change->idNew), prompt);
        m_pDockFrame->SetMessageText(prompt);
    }
    return FALSE; // the toolbar goes on with its own handling
}

bool CToolBar::InGripper(POINT point) const {
    return (m_dwStyle & CBRS_GRIPPER) && IsHorizontal() && point.x < kGripperSize;
}

void CToolBar::OnPaint() {
    Default();
    if (!(m_dwStyle & CBRS_GRIPPER) || !IsHorizontal())
        return;
    HDC dc = ::GetDC(m_hWnd);
    RECT client;
    GetClientRect(&client);
    RECT line{2, client.top + 2, 5, client.bottom - 2};
    DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
    ::ReleaseDC(m_hWnd, dc);
}

BOOL CToolBar::OnSetCursor(HWND wnd, UINT hitTest, UINT message) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    if (InGripper(point) && m_pDockFrame && m_pDockFrame->GetDockingSides() & m_dwDockStyle) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        return TRUE;
    }
    return CControlBar::OnSetCursor(wnd, hitTest, message);
}

void CToolBar::OnLButtonDown(UINT flags, POINT point) {
    if (InGripper(point) && m_pDockFrame) {
        m_bDragging = true;
        SetCapture();
        return;
    }
    CControlBar::OnLButtonDown(flags, point);
}

void CToolBar::OnLButtonUp(UINT flags, POINT point) {
    if (!m_bDragging) {
        CControlBar::OnLButtonUp(flags, point);
        return;
    }
    m_bDragging = false;
    ReleaseCapture();
    // Dropped: dock to the frame edge nearest to the pointer.
    ClientToScreen(&point);
    m_pDockFrame->ScreenToClient(&point);
    RECT client;
    m_pDockFrame->GetClientRect(&client);
    std::pair<long, DWORD> edges[] = {{point.y - client.top, CBRS_ALIGN_TOP},
                                      {client.bottom - point.y, CBRS_ALIGN_BOTTOM},
                                      {point.x - client.left, CBRS_ALIGN_LEFT},
                                      {client.right - point.x, CBRS_ALIGN_RIGHT}};
    std::sort(std::begin(edges), std::end(edges));
    for (const auto& edge : edges) {
        if (m_dwDockStyle & m_pDockFrame->GetDockingSides() & edge.second) {
            m_pDockFrame->DockControlBar(this, edge.second);
            return;
        }
    }
}

// ---- Status bar

namespace {
class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar* bar) : m_bar(bar) {}
    CString m_enabledText;
    void Enable(BOOL on) override {
        m_bEnableChanged = true;
        CString text = on ? m_enabledText : CString();
        if (m_bar->GetPaneText(static_cast<int>(m_nIndex)) != text)
            m_bar->SetPaneText(static_cast<int>(m_nIndex), text);
    }
    void SetCheck(int) override {}
    void SetText(const char* text) override { m_bar->SetPaneText(static_cast<int>(m_nIndex), text); }

private:
    CStatusBar* m_bar;
};
} // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    m_dwStyle = style & CBRS_ALIGN_ANY;
    DWORD windowStyle = (style & WS_VISIBLE) | WS_CHILD | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN |
                        CCS_NORESIZE | CCS_NODIVIDER;
    return CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle, 0, 0, 0, 0, parent->m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    m_indicators.clear();
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = SelectObject(dc, GetFont() ? reinterpret_cast<HGDIOBJ>(GetFont())
                                                 : GetStockObject(DEFAULT_GUI_FONT));
    BOOL ok = TRUE;
    for (int i = 0; i < count; ++i) {
        Indicator indicator{ids[i], CString(), 0};
        if (ids[i] != ID_SEPARATOR) {
            if (!indicator.text.LoadString(ids[i]))
                ok = FALSE;
            SIZE extent{0, 0};
            GetTextExtentPoint32A(dc, indicator.text, indicator.text.GetLength(), &extent);
            indicator.width = extent.cx + 12;
        }
        m_indicators.push_back(indicator);
    }
    SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    UpdatePartWidths();
    for (size_t i = 0; i < m_indicators.size(); ++i)
        SetPaneText(static_cast<int>(i), "");
    return ok;
}

void CStatusBar::UpdatePartWidths() {
    if (m_indicators.empty())
        return;
    RECT client;
    GetClientRect(&client);
    std::vector<int> edges(m_indicators.size());
    int right = client.right;
    for (size_t i = m_indicators.size(); i-- > 1;) {
        edges[i] = right;
        right -= m_indicators[i].width;
    }
    edges[0] = std::max(0, right);
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnSize(UINT type, int cx, int cy) {
    CControlBar::OnSize(type, cx, cy);
    UpdatePartWidths();
}

BOOL CStatusBar::SetPaneText(int index, const char* text) {
    if (index < 0 || index >= GetCount())
        return FALSE;
    return SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)) != 0;
}

CString CStatusBar::GetPaneText(int index) const {
    if (index < 0 || index >= GetCount())
        return CString();
    int length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(index)));
    CString text;
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
    text.ReleaseBuffer();
    return text;
}

SIZE CStatusBar::CalcFixedLayout(int sideLength) {
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = SelectObject(dc, GetFont() ? reinterpret_cast<HGDIOBJ>(GetFont())
                                                 : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    return SIZE{sideLength, metrics.tmHeight + 8};
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) {
    CStatusCmdUI item(this);
    for (size_t i = 1; i < m_indicators.size(); ++i) {
        item.m_nID = m_indicators[i].id;
        item.m_nIndex = static_cast<UINT>(i);
        item.m_enabledText = m_indicators[i].text;
        item.DoUpdate(target, disableIfNoHandler);
    }
}
