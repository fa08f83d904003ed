// CWnd: the window procedure thunk, creation hook, handle map, dispatch and reflection.
#include "Wnd.h"

#include "CmdUI.h"
#include "Frame.h"
#include "WinApp.h"

#include <atomic>
#include <memory>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {
// Windows are used by one user-interface thread; the maps are that thread's.
thread_local std::unordered_map<HWND, CWnd*> permanentMap;
thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaryMap;
thread_local CWnd* windowBeingCreated = nullptr;
thread_local HHOOK creationHook = nullptr;
thread_local MSG currentMessage{};

LRESULT CALLBACK creationHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && windowBeingCreated) {
        CWnd* wnd = windowBeingCreated;
        windowBeingCreated = nullptr;
        try {
            AfxAttachCreatedWindow(wnd, reinterpret_cast<HWND>(wParam));
        } catch (...) {
            AfxReportCallbackException("window creation");
            return 1; // refuse the window: it would have no object
        }
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}
} // namespace

// ---- Handle map

void AfxAttachCreatedWindow(CWnd* wnd, HWND hWnd) {
    wnd->Attach(hWnd);
    wnd->PreSubclassWindow();
    auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (proc != AfxWndProc) {
        // A system class (control, dialog): its own procedure is the default handling.
        wnd->m_pfnSuper = proc;
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
    }
}

CWnd::~CWnd() {
    // An object that goes before its window takes the window with it (the window's last
    // messages reach this object's CWnd part, which detaches it).
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this && IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto found = permanentMap.find(hWnd);
    return found == permanentMap.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd))
        return wnd;
    auto& slot = temporaryMap[hWnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hWnd;
    }
    return slot.get();
}

void CWnd::DeleteTempMap() {
    for (auto& entry : temporaryMap)
        entry.second->m_hWnd = nullptr; // temporary wrappers never own their windows
    temporaryMap.clear();
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!hWnd || m_hWnd)
        return FALSE;
    m_hWnd = hWnd;
    permanentMap[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd) {
        auto found = permanentMap.find(hWnd);
        if (found != permanentMap.end() && found->second == this)
            permanentMap.erase(found);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (proc != AfxWndProc) {
        m_pfnSuper = proc;
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper && m_hWnd)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- Creation

void AfxHookWindowCreate(CWnd* wnd) {
    if (!creationHook)
        creationHook = SetWindowsHookExA(WH_CBT, creationHookProc, nullptr, GetCurrentThreadId());
    windowBeingCreated = wnd;
}

bool AfxUnhookWindowCreate() {
    bool attached = windowBeingCreated == nullptr;
    windowBeingCreated = nullptr;
    return attached;
}

const char* AfxDefaultWndClass() {
    static const char* const name = "QuarvelWnd";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = AfxWndProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = name;
        registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return name;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxDefaultWndClass();
    return TRUE;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* context) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), context);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int cx, int cy, HWND parent, HMENU idOrMenu, void* param) {
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.hwndParent = parent;
    cs.hMenu = idOrMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    // A window whose creation failed after it was attached has been through PostNcDestroy.
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    if (FromHandlePermanent(hWnd) == this)
        return ::DestroyWindow(hWnd); // detaches in WM_NCDESTROY
    BOOL destroyed = ::DestroyWindow(hWnd);
    Detach();
    return destroyed;
}

// ---- Dispatch

namespace {
// Callbacks run on any thread that has windows: the count is shared.
std::atomic<long> callbackExceptions{0};
std::atomic<const char*> lastCallbackExceptionPlace{""};
} // namespace

void AfxReportCallbackException(const char* where) {
    lastCallbackExceptionPlace = where;
    ++callbackExceptions;
    OutputDebugStringA("Quarvel: an exception reached a system callback in ");
    OutputDebugStringA(where);
    OutputDebugStringA("; it was stopped there.\n");
}

long AfxCallbackExceptionCount() {
    return callbackExceptions;
}

const char* AfxLastCallbackExceptionPlace() {
    return lastCallbackExceptionPlace;
}

LRESULT AfxCallWndProc(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG saved = currentMessage;
    currentMessage = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        AfxReportCallbackException("a window procedure");
        result = message == WM_CREATE ? -1 : 0;
    }
    currentMessage = saved;
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == wnd)
        wnd->OnFinalNcDestroy();
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(wnd, hWnd, message, wParam, lParam);
}

void CWnd::OnFinalNcDestroy() {
    UnsubclassWindow();
    try {
        PostNcDestroy();
    } catch (...) {
        AfxReportCallbackException("PostNcDestroy");
    }
}

const MSG* CWnd::GetCurrentMessage() {
    return &currentMessage;
}

LRESULT CWnd::Default() {
    return DefWindowProc(currentMessage.message, currentMessage.wParam, currentMessage.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

namespace {
// The control a notification-carrying message comes from, or null.
HWND notifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr
                                         : GetDlgItem(parent, static_cast<int>(item->CtlID));
    }
    case WM_DELETEITEM:
        return reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_COMPAREITEM:
        return reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    default:
        (void)wParam;
        return nullptr;
    }
}
} // namespace

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return false;
        *pResult = 0;
        return true;
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result))
            return false;
        *pResult = result;
        return true;
    }
    if (HWND child = notifyingChild(m_hWnd, message, wParam, lParam))
        if (ReflectLastMsg(child, pResult))
            return true;

    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
            if (entry->nMessage != message)
                continue;
            if (message == WM_REFLECT_BASE + WM_NOTIFY &&
                entry->nCode != LOWORD(reinterpret_cast<NMHDR*>(lParam)->code))
                continue;
            if (message == WM_REFLECT_BASE + WM_COMMAND && entry->nCode != HIWORD(wParam))
                continue;
            AfxMsg msg{message, wParam, lParam, 0};
            if (entry->pfn(this, msg)) {
                *pResult = msg.result;
                return true;
            }
        }
    }
    return false;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (control) {
        LRESULT ignored = 0;
        if (ReflectLastMsg(control, &ignored))
            return TRUE;
        if (id == 0)
            return FALSE;
    } else {
        // A menu item or accelerator: refuse commands that their update handler disables.
        code = CN_COMMAND;
        CTestCmdUI state;
        state.m_nID = id;
        state.DoUpdate(this, false);
        if (!state.m_bEnabled)
            return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom && ReflectLastMsg(header->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom),
                    MAKELONG(static_cast<WORD>(header->code), WM_NOTIFY), &notify, nullptr);
}

bool CWnd::ReflectLastMsg(HWND child, LRESULT* pResult) {
    CWnd* control = FromHandlePermanent(child);
    if (!control || control == this)
        return false;
    return control->OnChildNotify(currentMessage.message, currentMessage.wParam,
                                  currentMessage.lParam, pResult);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR_REFLECTED, wParam,
                        static_cast<LPARAM>(message - WM_CTLCOLORMSGBOX), pResult);
    return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

// ---- Window tree

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(wnd);
    }
    return nullptr;
}

namespace {
// Depth first; a child with the wanted id that holds a descendant with the same id yields that
// descendant (nested splitters give their first pane the id of the pane they sit in).
CWnd* findDescendant(HWND parent, int id, bool onlyPermanent) {
    if (HWND child = ::GetDlgItem(parent, id)) {
        if (GetWindow(child, GW_CHILD))
            if (CWnd* inner = findDescendant(child, id, onlyPermanent))
                return inner;
        if (CWnd* wnd = onlyPermanent ? CWnd::FromHandlePermanent(child) : CWnd::FromHandle(child))
            return wnd;
    }
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindow(child, GW_CHILD))
            if (CWnd* inner = findDescendant(child, id, onlyPermanent))
                return inner;
    return nullptr;
}
} // namespace

CWnd* CWnd::GetDescendantWindow(int id, bool onlyPermanent) const {
    return findDescendant(m_hWnd, id, onlyPermanent);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, bool deep,
                                    bool onlyPermanent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        if (!IsWindow(child))
            continue;
        if (CWnd* wnd = FromHandlePermanent(child))
            AfxCallWndProc(wnd, child, message, wParam, lParam);
        else if (!onlyPermanent)
            ::SendMessageA(child, message, wParam, lParam);
        if (deep && IsWindow(child)) {
            CWnd walker;
            walker.m_hWnd = child;
            walker.SendMessageToDescendants(message, wParam, lParam, true, onlyPermanent);
            walker.m_hWnd = nullptr;
        }
    }
}

// ---- Wrappers

void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ClientToScreen(RECT* rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

CString CWnd::GetWindowText() const {
    CString text;
    int length = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

namespace {
BOOL modifyLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hWnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongPtrA(hWnd, index, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    return modifyLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    return modifyLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}
