// CFrameWnd: creation, layout of bars and client pane, active view, command routing and updates.
#include "Frame.h"

#include "StatusBar.h"
#include "Document.h"
#include "FwIds.h"
#include "View.h"
#include "WinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_COMMAND(ID_NEXT_PANE, OnNextPane)
    ON_COMMAND(ID_PREV_PANE, OnPrevPane)
END_MESSAGE_MAP()

namespace {
const char* frameClassFor(UINT resourceId) {
    static CString name;
    name.Format("QuarvelFrame:%u", resourceId);
    WNDCLASSA wc{};
    if (GetClassInfoA(AfxGetInstanceHandle(), name, &wc))
        return name;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}
} // namespace

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
    CString docStrings;
    docStrings.LoadString(resourceId);
    int end = docStrings.Find('\n');
    m_strTitle = end < 0 ? docStrings : docStrings.Left(end);
    m_dwFrameStyle = style & FWS_ADDTOTITLE;
    HMENU menu = LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    if (!CreateEx(0, frameClassFor(resourceId), m_strTitle, style & ~FWS_ADDTOTITLE, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr,
                  menu, context)) {
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    m_hAccelTable = LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (!OnCreateClient(cs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
    if (context && context->m_pNewViewClass)
        return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    CObject* object = context->m_pNewViewClass->CreateObject();
    if (!object)
        return nullptr;
    auto* view = static_cast<CWnd*>(object);
    RECT empty{0, 0, 0, 0};
    // A view whose window fails deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, empty, this, id,
                      context))
        return nullptr;
    return view;
}

void CFrameWnd::OnDestroy() {
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
}

void CFrameWnd::OnClose() {
    CDocument* document = GetActiveDocument();
    if (!document) {
        DestroyWindow();
        return;
    }
    if (document->SaveModified())
        document->OnCloseDocument(); // destroys this frame, then deletes the document
}

void CFrameWnd::OnSize(UINT type, int, int) {
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(HWND old) {
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(old);
}

// ---- Views

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* previous = m_pViewActive;
    if (view == previous)
        return;
    m_pViewActive = view;
    if (notify && previous)
        previous->OnActivateView(FALSE, view, previous);
    if (notify && view)
        view->OnActivateView(TRUE, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument() const {
    if (m_pViewActive && m_pViewActive->GetDocument())
        return m_pViewActive->GetDocument();
    for (CView* view : GetPaneViews())
        if (view->GetDocument())
            return view->GetDocument();
    return nullptr;
}

void CFrameWnd::InitialUpdateFrame(BOOL makeVisible) {
    if (!m_pViewActive) {
        CWnd* first = GetDescendantWindow(AFX_IDW_PANE_FIRST, true);
        if (first && first->IsKindOf(RUNTIME_CLASS(CView)))
            SetActiveView(static_cast<CView*>(first), FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, true, true);
    OnUpdateFrameTitle(TRUE);
    if (makeVisible) {
        CWinApp* app = AfxGetApp();
        if (!IsWindowVisible())
            ShowWindow(app && app->m_pMainWnd == this ? app->m_nCmdShow : SW_SHOW);
        UpdateWindow();
    }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    if (!(m_dwFrameStyle & FWS_ADDTOTITLE))
        return;
    CDocument* document = GetActiveDocument();
    if (addToTitle && document && !document->GetTitle().IsEmpty())
        SetWindowText(document->GetTitle() + " - " + m_strTitle);
    else
        SetWindowText(m_strTitle);
}

std::vector<CView*> CFrameWnd::GetPaneViews() const {
    std::vector<CView*> views;
    struct Walker {
        std::vector<CView*>& out;
        // Children in pane order (splitter panes are numbered row by row); true when parent
        // holds a pane view, so that it is not one itself.
        bool walk(HWND parent) {
            std::vector<HWND> children;
            for (HWND child = GetWindow(parent, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                if (::IsWindowVisible(child) && ::IsWindowEnabled(child))
                    children.push_back(child);
            std::stable_sort(children.begin(), children.end(), [](HWND a, HWND b) {
                return static_cast<UINT>(::GetDlgCtrlID(a)) < static_cast<UINT>(::GetDlgCtrlID(b));
            });
            bool found = false;
            for (HWND child : children) {
                bool inner = walk(child);
                CWnd* wnd = CWnd::FromHandlePermanent(child);
                RECT rect;
                ::GetWindowRect(child, &rect);
                if (!inner && wnd && wnd->IsKindOf(RUNTIME_CLASS(CView)) &&
                    rect.right > rect.left && rect.bottom > rect.top) {
                    out.push_back(static_cast<CView*>(wnd));
                    inner = true;
                }
                found = found || inner;
            }
            return found;
        }
    } walker{views};
    walker.walk(m_hWnd);
    return views;
}

void CFrameWnd::ActivateNextPane(bool previous) {
    std::vector<CView*> views = GetPaneViews();
    if (views.empty())
        return;
    auto current = std::find(views.begin(), views.end(), m_pViewActive);
    size_t index = 0;
    if (current != views.end()) {
        size_t at = static_cast<size_t>(current - views.begin());
        index = previous ? (at + views.size() - 1) % views.size() : (at + 1) % views.size();
    }
    SetActiveView(views[index]);
    views[index]->SetFocus();
}

void CFrameWnd::OnNextPane() {
    ActivateNextPane(false);
}
void CFrameWnd::OnPrevPane() {
    ActivateNextPane(true);
}

// ---- Routing and updates

bool CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

namespace {
// The keys an edit box answers itself (select all, copy, cut, paste, undo): when one has the
// focus, they edit its text instead of acting on the pane around it.
bool IsEditingKeyForEditBox(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    char className[16] = "";
    const HWND focus = GetFocus();
    if (!focus || !GetClassNameA(focus, className, sizeof className) ||
        lstrcmpiA(className, "Edit") != 0)
        return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    switch (msg.wParam) {
    case 'A':
    case 'C':
    case 'V':
    case 'X':
    case 'Z':
        return ctrl && !alt;
    case VK_INSERT:
        return ctrl || shift;
    case VK_DELETE:
        return shift;
    case VK_BACK:
        return alt;
    default:
        return false;
    }
}
} // namespace

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_hAccelTable ||
        IsEditingKeyForEditBox(*msg))
        return FALSE;
    return TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) != 0;
}

void CFrameWnd::OnInitMenuPopup(HMENU menu, UINT, BOOL sysMenu) {
    if (!sysMenu)
        AfxUpdateMenuItems(menu, this);
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        SetMessageText(AFX_IDS_IDLEMESSAGE); // the menu closed
        return;
    }
    CString prompt;
    if (!(flags & (MF_POPUP | MF_SEPARATOR)))
        GetMessageString(item, prompt);
    SetMessageText(prompt);
}

void CFrameWnd::GetMessageString(UINT id, CString& message) const {
    message.LoadString(id);
    int end = message.Find('\n');
    if (end >= 0)
        message = message.Left(end);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    for (CControlBar* bar : m_controlBars)
        if (bar->IsWindowVisible())
            bar->OnUpdateCmdUI(this, true);
    return 0;
}

// ---- Control bars

void CFrameWnd::AddControlBar(CControlBar* bar) {
    if (std::find(m_controlBars.begin(), m_controlBars.end(), bar) == m_controlBars.end())
        m_controlBars.push_back(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) {
    m_controlBars.erase(std::remove(m_controlBars.begin(), m_controlBars.end(), bar),
                        m_controlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const {
    for (CControlBar* bar : m_controlBars)
        if (static_cast<UINT>(bar->GetDlgCtrlID()) == id)
            return bar;
    return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* bar, DWORD side) {
    DWORD allowed = m_dwDockStyle & bar->GetDockingSides();
    if (side == 0)
        side = bar->GetBarStyle() & CBRS_ALIGN_ANY;
    if (!(side & allowed))
        return; // neither the frame nor the bar allows that side
    bar->SetBarStyle((bar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (side & CBRS_ALIGN_ANY));
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show) {
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
    CControlBar* bar = GetControlBar(id);
    if (!bar)
        return FALSE;
    ShowControlBar(bar, !bar->IsWindowVisible());
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI) {
    CControlBar* bar = GetControlBar(cmdUI->m_nID);
    if (!bar) {
        cmdUI->ContinueRouting();
        return;
    }
    cmdUI->SetCheck(bar->IsWindowVisible() ? 1 : 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* cmdUI) {
    int key = cmdUI->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
              : cmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                 : VK_SCROLL;
    cmdUI->Enable((GetKeyState(key) & 1) != 0);
}

void CFrameWnd::SetMessageText(const char* text) {
    if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR))
        static_cast<CStatusBar*>(bar)->SetPaneText(0, text);
}

void CFrameWnd::SetMessageText(UINT stringId) {
    CString text;
    text.LoadString(stringId);
    SetMessageText(text);
}

void CFrameWnd::RecalcLayout() {
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = true;
    RECT area;
    GetClientRect(&area);
    // The status bar first: it keeps the bottom edge whatever else docks there.
    std::vector<CControlBar*> order(m_controlBars);
    std::stable_partition(order.begin(), order.end(), [](CControlBar* bar) {
        return bar->IsKindOf(RUNTIME_CLASS(CStatusBar));
    });
    for (CControlBar* bar : order) {
        // The bar's own style: a hidden frame (laid out before it shows) hides every bar too.
        if (!(bar->GetStyle() & WS_VISIBLE))
            continue;
        DWORD side = bar->GetBarStyle() & CBRS_ALIGN_ANY;
        bool horizontal = side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_BOTTOM;
        SIZE size =
            bar->CalcFixedLayout(horizontal ? area.right - area.left : area.bottom - area.top);
        RECT place = area;
        switch (side) {
        case CBRS_ALIGN_BOTTOM:
            place.top = std::max(area.top, area.bottom - size.cy);
            area.bottom = place.top;
            break;
        case CBRS_ALIGN_LEFT:
            place.right = std::min(area.right, area.left + size.cx);
            area.left = place.right;
            break;
        case CBRS_ALIGN_RIGHT:
            place.left = std::max(area.left, area.right - size.cx);
            area.right = place.left;
            break;
        default:
            place.bottom = std::min(area.bottom, area.top + size.cy);
            area.top = place.bottom;
            break;
        }
        bar->SetWindowPos(nullptr, place.left, place.top, place.right - place.left,
                          place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::SetWindowPos(pane, nullptr, area.left, area.top, std::max(0L, area.right - area.left),
                       std::max(0L, area.bottom - area.top), SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInRecalcLayout = false;
}
