// UI test harness: the host window, mouse clicks, the readers of menus and of the clipboard.
#include "UiHarness.h"

#include "engine/platform/AnsiText.h"

namespace ui {

HostWindow::HostWindow(int width, int height, DWORD style) {
    wnd.CreateEx(0, AfxDefaultWndClass(), "test host", style, 0, 0, width, height, nullptr,
                 nullptr);
}

HostWindow::~HostWindow() {
    if (IsWindow(wnd.m_hWnd))
        wnd.DestroyWindow();
    PumpPending();
}

POINT Centre(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Click(HWND window, POINT at, Button button) {
    const bool left = button == Button::Left;
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageA(window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON,
                 where);
    PostMessageA(window, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, where);
    PumpPending();
}

MenuItems ReadMenu(HMENU menu) {
    MenuItems items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) // a separator or a popup
            continue;
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        items.emplace_back(id, !(state & (MF_GRAYED | MF_DISABLED)));
    }
    return items;
}

MenuItems FrameMenu(CWnd* frame, int index) {
    HMENU popup = GetSubMenu(frame->GetMenu(), index);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                       static_cast<LPARAM>(index));
    return ReadMenu(popup);
}

namespace {
// The popup being read: caught when it is initialised, read by a timer that fires inside the
// menu's own loop, which it then ends.
HMENU shownPopup = nullptr;
MenuItems shownPopupItems;
HHOOK popupHook = nullptr;

LRESULT CALLBACK catchPopup(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP)
        shownPopup = reinterpret_cast<HMENU>(message->wParam);
    return CallNextHookEx(popupHook, code, wParam, lParam);
}

void CALLBACK readAndClosePopup(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!shownPopup)
        return;
    KillTimer(nullptr, timer);
    shownPopupItems = ReadMenu(shownPopup);
    EndMenu();
}
} // namespace

MenuItems ReadPopupMenu(const std::function<void()>& open) {
    shownPopup = nullptr;
    shownPopupItems.clear();
    popupHook = SetWindowsHookExA(WH_CALLWNDPROC, catchPopup, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, readAndClosePopup);
    open();
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(popupHook);
    popupHook = nullptr;
    return shownPopupItems;
}

MenuItems ContextMenu(CWnd* window, POINT offset, bool fromKeyboard) {
    return ReadPopupMenu([=] {
        RECT rect;
        window->GetWindowRect(&rect);
        const LPARAM at = fromKeyboard ? MAKELPARAM(-1, -1)
                                       : MAKELPARAM(rect.left + offset.x, rect.top + offset.y);
        window->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->m_hWnd), at);
    });
}

std::string ClipboardText() {
    std::string text = "(none)";
    if (!OpenClipboard(nullptr))
        return text;
    // The Unicode text, in the process's code page: the system's own CF_TEXT uses the
    // clipboard locale's code page, which under UTF-8 is not the process's.
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = quarvel::platform::NarrowFromWide(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace ui
