// CToolBar: buttons, updates, tooltips, prompts and the gripper that docks the bar elsewhere.
#include "ToolBar.h"

#include "Frame.h"
#include "FwIds.h"
#include "Handles.h"
#include "WinApp.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

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
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_NOTIFY_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, OnToolTipTextA)
    ON_NOTIFY_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnToolTipTextW)
    ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, OnHotItemChange)
END_MESSAGE_MAP()

BOOL CToolBar::CreateEx(CWnd* parent, DWORD controlStyle, DWORD style, UINT id) {
    m_dwStyle =
        style & (CBRS_ALIGN_ANY | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    DWORD windowStyle = (style & (WS_CHILD | WS_VISIBLE)) | WS_CHILD | WS_CLIPSIBLINGS |
                        controlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE |
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
    if (!data || data->version != 1 ||
        SizeofResource(instance, resource) < sizeof(ToolBarResource) + data->count * sizeof(WORD))
        return FALSE;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(data->width, data->height));
    // The bitmap of the same id, when there is one; a frame may give an image list instead.
    auto* words = reinterpret_cast<const WORD*>(data + 1);
    std::vector<UINT> ids(words, words + data->count);
    if (FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2))) {
        TBADDBITMAP bitmap{instance, resourceId};
        auto images =
            std::count_if(ids.begin(), ids.end(), [](UINT id) { return id != ID_SEPARATOR; });
        SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&bitmap));
    }
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
    for (int i = 0, count = GetCount(); i < count; ++i) {
        UINT id = GetItemID(i);
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        BYTE state = vertical ? (button.fsState | TBSTATE_WRAP) : (button.fsState & ~TBSTATE_WRAP);
        SendMessage(TB_SETSTATE, id, MAKELONG(state, 0));
    }
    // The gripper moves with the side: measure the non-client area again.
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
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

RECT CToolBar::GripperRect() const {
    if (!(m_dwStyle & CBRS_GRIPPER))
        return RECT{0, 0, 0, 0};
    RECT window;
    GetWindowRect(&window);
    LONG width = window.right - window.left, height = window.bottom - window.top;
    return IsHorizontal() ? RECT{0, 0, std::min<LONG>(m_gripperSize, width), height}
                          : RECT{0, 0, width, std::min<LONG>(m_gripperSize, height)};
}

void CToolBar::SetGripperSize(int size) {
    m_gripperSize = size;
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool CToolBar::CanBeDragged() const {
    return m_pDockFrame && (m_pDockFrame->GetDockingSides() & m_dwDockStyle) != 0;
}

void CToolBar::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) {
    CControlBar::OnNcCalcSize(calcValidRects, params);
    if (!(m_dwStyle & CBRS_GRIPPER))
        return;
    // Without calcValidRects the parameter is one RECT: the first member of the structure.
    RECT& client = params->rgrc[0];
    if (IsHorizontal())
        client.left = std::min(client.left + m_gripperSize, client.right);
    else
        client.top = std::min(client.top + m_gripperSize, client.bottom);
}

void CToolBar::OnNcPaint() {
    CControlBar::OnNcPaint();
    RECT gripper = GripperRect();
    if (gripper.right <= gripper.left)
        return;
    const ScopedWindowDC dc(m_hWnd, ScopedWindowDC::WholeWindow);
    FillRect(dc.Get(), &gripper, GetSysColorBrush(COLOR_BTNFACE));
    RECT line = IsHorizontal() ? RECT{2, gripper.top + 2, 5, gripper.bottom - 2}
                               : RECT{gripper.left + 2, 2, gripper.right - 2, 5};
    DrawEdge(dc.Get(), &line, BDR_RAISEDINNER, BF_RECT);
}

LRESULT CToolBar::OnNcHitTest(POINT screen) {
    RECT window, gripper = GripperRect();
    GetWindowRect(&window);
    POINT at{screen.x - window.left, screen.y - window.top};
    if (PtInRect(&gripper, at))
        return HTBORDER;
    return CControlBar::OnNcHitTest(screen);
}

BOOL CToolBar::OnSetCursor(HWND wnd, UINT hitTest, UINT message) {
    if (wnd == m_hWnd && hitTest == HTBORDER && CanBeDragged()) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        return TRUE;
    }
    return CControlBar::OnSetCursor(wnd, hitTest, message);
}

void CToolBar::OnNcLButtonDown(UINT hitTest, POINT screen) {
    if (hitTest == HTBORDER && CanBeDragged()) {
        m_bDragging = true;
        SetCapture();
        return;
    }
    CControlBar::OnNcLButtonDown(hitTest, screen);
}

void CToolBar::OnCaptureChanged(HWND newCapture) {
    if (newCapture != m_hWnd)
        m_bDragging = false; // the drag was taken away: the bar stays where it is
    CControlBar::OnCaptureChanged(newCapture);
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
