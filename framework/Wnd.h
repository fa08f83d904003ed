// CWnd: the C++ object of a window. One window procedure (AfxWndProc) finds the object of every
// window the framework created or subclassed and hands it the message; the object looks the
// message up in its message map, reflects notifications back to the control that sent them, and
// routes commands. Thin wrappers of the user32 calls it needs keep the rest of the code short.
#pragma once

#include "CmdTarget.h"
#include "FwString.h"

#include <windows.h>

class CFrameWnd;
class CDataExchange;
struct CCreateContext;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object of a window, if the framework knows it.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The object of a window; a temporary wrapper (valid until the next idle time) when the
    // framework does not know the window. Null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    static void DeleteTempMap();

    // ---- Creation
    virtual BOOL Create(const char* className, const char* windowName, DWORD style,
                        const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr);
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                  int y, int cx, int cy, HWND parent, HMENU idOrMenu, void* param = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL DestroyWindow();
    // Makes this object the window's object and routes the window's messages through it.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // ---- Message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called on a control when its parent hands a notification back; true when handled.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Runs before the message loop dispatches msg; true when the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Runs when a window becomes this object's window: created through the framework (before
    // its first message), or subclassed (data exchange binding a control wrapper).
    virtual void PreSubclassWindow() {}
    // Runs after the window is gone; objects that own themselves delete themselves here.
    virtual void PostNcDestroy() {}
    // The default handling of the message being dispatched now.
    LRESULT Default();
    static const MSG* GetCurrentMessage();

    // ---- Data exchange between member variables and the window's controls
    // With bSaveAndValidate the members are read from the controls; FALSE when a value is bad.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    // ---- Window tree
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetDlgCtrlID(int id) { ::SetWindowLongPtrA(m_hWnd, GWLP_ID, id); }
    CFrameWnd* GetParentFrame() const;
    CWnd* GetDescendantWindow(int id, bool onlyPermanent = false) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  bool deep = true, bool onlyPermanent = false);
    BOOL IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }

    // ---- Thin user32 wrappers
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
    }
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE) {
        MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ScreenToClient(RECT* rect) const;
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ClientToScreen(RECT* rect) const;
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
        ::InvalidateRect(m_hWnd, rect, erase);
    }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        ::RedrawWindow(m_hWnd, rect, region, flags);
    }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    void SetFont(HFONT font, BOOL redraw = TRUE) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const {
        return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
    }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

protected:
    // Default handlers of the message-map rows (each runs the window's default handling).
    int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnPaint() { Default(); }
    BOOL OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
    void OnSetFocus(HWND) { Default(); }
    void OnKillFocus(HWND) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnContextMenu(HWND, POINT) { Default(); }
    void OnMouseMove(UINT, POINT) { Default(); }
    void OnLButtonDown(UINT, POINT) { Default(); }
    void OnLButtonUp(UINT, POINT) { Default(); }
    void OnLButtonDblClk(UINT, POINT) { Default(); }
    void OnRButtonDown(UINT, POINT) { Default(); }
    void OnRButtonUp(UINT, POINT) { Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    BOOL OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }
    int OnMouseActivate(HWND, UINT, UINT) { return static_cast<int>(Default()); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnInitMenuPopup(HMENU, UINT, BOOL) { Default(); }
    void OnMenuSelect(UINT, UINT, HMENU) { Default(); }
    void OnCaptureChanged(HWND) { Default(); }
    void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
    void OnNcPaint() { Default(); }
    LRESULT OnNcHitTest(POINT) { return Default(); }
    void OnNcLButtonDown(UINT, POINT) { Default(); }

    // Hands the message being dispatched to the control child; true when it handled it.
    bool ReflectLastMsg(HWND child, LRESULT* pResult);

    WNDPROC m_pfnSuper = nullptr; // the window's own procedure when the framework subclassed it

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    friend void AfxAttachCreatedWindow(CWnd*, HWND);
    void OnFinalNcDestroy();
};

// Makes wnd the object of a window being created and routes the window's messages through it.
void AfxAttachCreatedWindow(CWnd* wnd, HWND hWnd);
// Sends a message to a window's object directly, as its window procedure would.
LRESULT AfxCallWndProc(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The window procedure of every window the framework knows.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The framework's general-purpose window class (registered on first use); views and frames
// without a class of their own use it.
const char* AfxDefaultWndClass();
// Attaches wnd to the next window this thread creates (for creation calls the framework does
// not make itself, such as dialog boxes). Cleared after that window or by AfxUnhookWindowCreate.
void AfxHookWindowCreate(CWnd* wnd);
bool AfxUnhookWindowCreate();
// Reports an exception caught at a system callback (the framework never lets one unwind there)
// and counts it.
void AfxReportCallbackException(const char* where);
// How many exceptions were stopped at a callback since the process started, and where the last
// one was ("" before the first): a test harness fails a test during which one was swallowed.
long AfxCallbackExceptionCount();
const char* AfxLastCallbackExceptionPlace();
