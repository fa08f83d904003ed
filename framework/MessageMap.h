// Message maps: a static table of entries per class, searched from the most derived class up.
// Each macro below is one row: which message (and notification code or command id range) goes
// to which member function. The rows are captureless lambdas written inside the class's own
// member function, so they reach protected handlers and cast the target to the declaring class.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CCmdTarget;
class CCmdUI;

// The message being dispatched; handlers that produce a result write it here.
struct AfxMsg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

// Calls the handler; answers false when the handler declined (the *_EX rows), so the search goes
// on.
using AfxHandler = bool (*)(CCmdTarget*, AfxMsg&);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND, WM_NOTIFY, or WM_REFLECT_BASE + message
    UINT nCode;    // control notification code (16 bits), CN_COMMAND or CN_UPDATE_COMMAND_UI
    UINT nID;      // first command or control id
    UINT nLastID;  // last command or control id
    AfxHandler pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Codes for OnCmdMsg: a command, an update request, or MAKELONG(code, WM_NOTIFY).
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
// Messages handed back to the control that caused them are offset by this value.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// All WM_CTLCOLOR* messages reflect as this one: wParam the DC, lParam the CTLCOLOR_* type.
constexpr UINT WM_CTLCOLOR_REFLECTED = 0x0019;

// Framework's own window messages (below WM_USER, which applications use).
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363; // wParam: TRUE to disable commands without handlers
constexpr UINT WM_INITIALUPDATE = 0x0364;   // sent to every view before its frame is first shown

// Data for notifications routed through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};
// Filled when OnCmdMsg is asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
            {0, 0, 0, 0, nullptr}};                                                                \
        static_assert(sizeof(ThisClass) > 0, "message map of an incomplete class");                \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, messageEntries};   \
        return &messageMap;                                                                        \
    }
// clang-format on

#define AFX_ROW_(msg, code, first, last, body)                                                     \
    {(msg), static_cast<UINT>(code), static_cast<UINT>(first), static_cast<UINT>(last),            \
     [](CCmdTarget* target_, AfxMsg& m_) -> bool {                                                 \
         auto* self_ = static_cast<ThisClass*>(target_);                                           \
         (void)self_;                                                                              \
         (void)m_;                                                                                 \
         body                                                                                      \
     }},

// ---- Commands (menus, accelerators, toolbar buttons, and WM_COMMAND from controls)
#define ON_COMMAND(id, fn) AFX_ROW_(WM_COMMAND, CN_COMMAND, id, id, self_->fn(); return true;)
#define ON_COMMAND_RANGE(first, last, fn)                                                          \
    AFX_ROW_(WM_COMMAND, CN_COMMAND, first, last, self_->fn(static_cast<UINT>(m_.wParam));         \
             return true;)
// BOOL fn(UINT id): FALSE lets the command go on to the next target.
#define ON_COMMAND_EX(id, fn)                                                                      \
    AFX_ROW_(WM_COMMAND, CN_COMMAND, id, id, return self_->fn(static_cast<UINT>(m_.wParam)) != 0;)
#define ON_UPDATE_COMMAND_UI(id, fn)                                                               \
    AFX_ROW_(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id,                                             \
             self_->fn(reinterpret_cast<CCmdUI*>(m_.lParam));                                      \
             return true;)
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn)                                                \
    AFX_ROW_(WM_COMMAND, CN_UPDATE_COMMAND_UI, first, last,                                        \
             self_->fn(reinterpret_cast<CCmdUI*>(m_.lParam));                                      \
             return true;)
#define ON_CONTROL(code, id, fn) AFX_ROW_(WM_COMMAND, code, id, id, self_->fn(); return true;)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)

// ---- Notifications (WM_NOTIFY): void fn(NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, fn)                                                                    \
    AFX_ROW_(WM_NOTIFY, static_cast<WORD>(code), id, id,                                           \
             self_->fn(reinterpret_cast<NMHDR*>(m_.lParam), &m_.result);                           \
             return true;)
#define ON_NOTIFY_RANGE(code, first, last, fn)                                                     \
    AFX_ROW_(WM_NOTIFY, static_cast<WORD>(code), first, last,                                      \
             self_->fn(reinterpret_cast<NMHDR*>(m_.lParam), &m_.result);                           \
             return true;)

// BOOL fn(UINT id, NMHDR*, LRESULT*): FALSE lets the notification go on to the next target.
#define ON_NOTIFY_EX(code, id, fn)                                                                 \
    AFX_ROW_(WM_NOTIFY, static_cast<WORD>(code), id, id,                                           \
             return self_->fn(static_cast<UINT>(m_.wParam), reinterpret_cast<NMHDR*>(m_.lParam),   \
                              &m_.result) != 0;)
#define ON_NOTIFY_EX_RANGE(code, first, last, fn)                                                  \
    AFX_ROW_(WM_NOTIFY, static_cast<WORD>(code), first, last,                                      \
             return self_->fn(static_cast<UINT>(m_.wParam), reinterpret_cast<NMHDR*>(m_.lParam),   \
                              &m_.result) != 0;)

// ---- Reflected to the control that sent them. The *_EX forms return BOOL: FALSE lets the
// parent see the notification as well.
#define ON_NOTIFY_REFLECT(code, fn)                                                                \
    AFX_ROW_(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0,                           \
             self_->fn(reinterpret_cast<NMHDR*>(m_.lParam), &m_.result);                           \
             return true;)
#define ON_NOTIFY_REFLECT_EX(code, fn)                                                             \
    AFX_ROW_(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0,                           \
             return self_->fn(reinterpret_cast<NMHDR*>(m_.lParam), &m_.result) != 0;)
#define ON_CONTROL_REFLECT(code, fn)                                                               \
    AFX_ROW_(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, self_->fn(); return true;)
#define ON_CONTROL_REFLECT_EX(code, fn)                                                            \
    AFX_ROW_(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, return self_->fn() != 0;)
// HBRUSH CtlColor(HDC, UINT ctlType): a null brush means "not handled".
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    AFX_ROW_(WM_REFLECT_BASE + WM_CTLCOLOR_REFLECTED, 0, 0, 0,                                     \
             HBRUSH brush_ =                                                                       \
                 self_->CtlColor(reinterpret_cast<HDC>(m_.wParam), static_cast<UINT>(m_.lParam));  \
             m_.result = reinterpret_cast<LRESULT>(brush_); return brush_ != nullptr;)

// ---- Any message: LRESULT fn(WPARAM, LPARAM)
#define ON_MESSAGE(msg, fn)                                                                        \
    AFX_ROW_(msg, 0, 0, 0, m_.result = self_->fn(m_.wParam, m_.lParam); return true;)

// ---- Window messages with their parameters unpacked (handlers named as in CWnd)
#define AFX_WM_ROW_(msg, body) AFX_ROW_(msg, 0, 0, 0, body return true;)
#define AFX_POINT_                                                                                 \
    POINT {                                                                                        \
        static_cast<short>(LOWORD(m_.lParam)), static_cast<short>(HIWORD(m_.lParam))               \
    }
#define ON_WM_CREATE()                                                                             \
    AFX_WM_ROW_(WM_CREATE,                                                                         \
                m_.result = self_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(m_.lParam));)
#define ON_WM_DESTROY() AFX_WM_ROW_(WM_DESTROY, self_->OnDestroy();)
#define ON_WM_CLOSE() AFX_WM_ROW_(WM_CLOSE, self_->OnClose();)
#define ON_WM_SIZE()                                                                               \
    AFX_WM_ROW_(WM_SIZE,                                                                           \
                self_->OnSize(static_cast<UINT>(m_.wParam), static_cast<short>(LOWORD(m_.lParam)), \
                              static_cast<short>(HIWORD(m_.lParam)));)
#define ON_WM_PAINT() AFX_WM_ROW_(WM_PAINT, self_->OnPaint();)
#define ON_WM_ERASEBKGND()                                                                         \
    AFX_WM_ROW_(WM_ERASEBKGND, m_.result = self_->OnEraseBkgnd(reinterpret_cast<HDC>(m_.wParam));)
#define ON_WM_SETFOCUS()                                                                           \
    AFX_WM_ROW_(WM_SETFOCUS, self_->OnSetFocus(reinterpret_cast<HWND>(m_.wParam));)
#define ON_WM_KILLFOCUS()                                                                          \
    AFX_WM_ROW_(WM_KILLFOCUS, self_->OnKillFocus(reinterpret_cast<HWND>(m_.wParam));)
#define ON_WM_TIMER() AFX_WM_ROW_(WM_TIMER, self_->OnTimer(static_cast<UINT_PTR>(m_.wParam));)
#define ON_WM_CONTEXTMENU()                                                                        \
    AFX_WM_ROW_(WM_CONTEXTMENU,                                                                    \
                self_->OnContextMenu(reinterpret_cast<HWND>(m_.wParam), AFX_POINT_);)
#define ON_WM_MOUSEMOVE()                                                                          \
    AFX_WM_ROW_(WM_MOUSEMOVE, self_->OnMouseMove(static_cast<UINT>(m_.wParam), AFX_POINT_);)
#define ON_WM_LBUTTONDOWN()                                                                        \
    AFX_WM_ROW_(WM_LBUTTONDOWN, self_->OnLButtonDown(static_cast<UINT>(m_.wParam), AFX_POINT_);)
#define ON_WM_LBUTTONUP()                                                                          \
    AFX_WM_ROW_(WM_LBUTTONUP, self_->OnLButtonUp(static_cast<UINT>(m_.wParam), AFX_POINT_);)
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    AFX_WM_ROW_(WM_LBUTTONDBLCLK, self_->OnLButtonDblClk(static_cast<UINT>(m_.wParam), AFX_POINT_);)
#define ON_WM_RBUTTONDOWN()                                                                        \
    AFX_WM_ROW_(WM_RBUTTONDOWN, self_->OnRButtonDown(static_cast<UINT>(m_.wParam), AFX_POINT_);)
#define ON_WM_RBUTTONUP()                                                                          \
    AFX_WM_ROW_(WM_RBUTTONUP, self_->OnRButtonUp(static_cast<UINT>(m_.wParam), AFX_POINT_);)
#define ON_WM_KEYDOWN()                                                                            \
    AFX_WM_ROW_(WM_KEYDOWN, self_->OnKeyDown(static_cast<UINT>(m_.wParam), LOWORD(m_.lParam),      \
                                             HIWORD(m_.lParam));)
#define ON_WM_SETCURSOR()                                                                          \
    AFX_WM_ROW_(WM_SETCURSOR,                                                                      \
                m_.result = self_->OnSetCursor(reinterpret_cast<HWND>(m_.wParam),                  \
                                               LOWORD(m_.lParam), HIWORD(m_.lParam));)
#define ON_WM_MOUSEACTIVATE()                                                                      \
    AFX_WM_ROW_(WM_MOUSEACTIVATE,                                                                  \
                m_.result = self_->OnMouseActivate(reinterpret_cast<HWND>(m_.wParam),              \
                                                   LOWORD(m_.lParam), HIWORD(m_.lParam));)
#define ON_WM_WINDOWPOSCHANGED()                                                                   \
    AFX_WM_ROW_(WM_WINDOWPOSCHANGED,                                                               \
                self_->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(m_.lParam));)
#define ON_WM_GETMINMAXINFO()                                                                      \
    AFX_WM_ROW_(WM_GETMINMAXINFO, self_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(m_.lParam));)
#define ON_WM_INITMENUPOPUP()                                                                      \
    AFX_WM_ROW_(WM_INITMENUPOPUP, self_->OnInitMenuPopup(reinterpret_cast<HMENU>(m_.wParam),       \
                                                         LOWORD(m_.lParam), HIWORD(m_.lParam));)
#define ON_WM_CAPTURECHANGED()                                                                     \
    AFX_WM_ROW_(WM_CAPTURECHANGED, self_->OnCaptureChanged(reinterpret_cast<HWND>(m_.lParam));)
#define ON_WM_NCCALCSIZE()                                                                         \
    AFX_WM_ROW_(WM_NCCALCSIZE,                                                                     \
                self_->OnNcCalcSize(static_cast<BOOL>(m_.wParam),                                  \
                                    reinterpret_cast<NCCALCSIZE_PARAMS*>(m_.lParam));)
#define ON_WM_NCPAINT() AFX_WM_ROW_(WM_NCPAINT, self_->OnNcPaint();)
#define ON_WM_NCHITTEST() AFX_WM_ROW_(WM_NCHITTEST, m_.result = self_->OnNcHitTest(AFX_POINT_);)
#define ON_WM_NCLBUTTONDOWN()                                                                      \
    AFX_WM_ROW_(WM_NCLBUTTONDOWN, self_->OnNcLButtonDown(static_cast<UINT>(m_.wParam), AFX_POINT_);)
#define ON_WM_MENUSELECT()                                                                         \
    AFX_WM_ROW_(WM_MENUSELECT, self_->OnMenuSelect(LOWORD(m_.wParam), HIWORD(m_.wParam),           \
                                                   reinterpret_cast<HMENU>(m_.lParam));)
