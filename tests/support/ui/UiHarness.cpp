// UI test harness: bounded message pumping, dialog answering and the per-process watchdog.
#include "UiHarness.h"

#include "WinApp.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace ui {

namespace {
thread_local DialogAnswerer* activeAnswerer = nullptr;

// Ends the process if the tests run longer than QUARVEL_UI_WATCHDOG seconds (default 240):
// a hung modal loop must fail the test run, not stall it.
struct Watchdog {
    Watchdog() {
        const char* setting = std::getenv("QUARVEL_UI_WATCHDOG");
        int seconds = setting ? std::atoi(setting) : 240;
        std::thread([seconds] {
            Sleep(static_cast<DWORD>(seconds) * 1000);
            std::fprintf(stderr, "UI test watchdog: still running after %d s, ending the process\n",
                         seconds);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }).detach();
    }
} watchdog;

void dispatchOne(MSG& msg) {
    CWinApp* app = AfxGetApp();
    if (app && app->PreTranslateMessage(&msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
} // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) // a destroyed main frame posts one; tests go on
                dispatchOne(msg);
        }
        if (CWinApp* app = AfxGetApp())
            app->OnIdle(0);
        if (done && done())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return done ? done() : true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, timeoutMs - elapsed),
                                  QS_ALLINPUT);
    }
}

void Pump(DWORD ms) {
    PumpUntil(nullptr, ms);
}

namespace {
// The popup being read: caught when it is initialised, read by a timer that fires inside the
// menu's own loop, which it then ends.
HMENU shownPopup = nullptr;
std::vector<std::pair<UINT, bool>> shownPopupItems;
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
    for (int i = 0; i < GetMenuItemCount(shownPopup); ++i) {
        const UINT state = GetMenuState(shownPopup, static_cast<UINT>(i), MF_BYPOSITION);
        shownPopupItems.emplace_back(GetMenuItemID(shownPopup, i),
                                     !(state & (MF_GRAYED | MF_DISABLED)));
    }
    EndMenu();
}
} // namespace

std::vector<std::pair<UINT, bool>> ReadPopupMenu(const std::function<void()>& open) {
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

std::string ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

DialogAnswerer::DialogAnswerer(Chooser chooser) : m_chooser(std::move(chooser)) {
    m_previous = activeAnswerer;
    activeAnswerer = this;
    m_hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

DialogAnswerer::DialogAnswerer(int command)
    : DialogAnswerer([command](HWND, const SeenDialog&) { return command; }) {}

DialogAnswerer::~DialogAnswerer() {
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    activeAnswerer = m_previous;
}

LRESULT CALLBACK DialogAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogAnswerer* self = activeAnswerer;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (self && code == HCBT_ACTIVATE && ClassName(window) == "#32770") {
        bool answered = false;
        for (HWND done : self->m_answered)
            answered = answered || done == window;
        if (!answered) {
            SeenDialog seen{WindowText(window), {}};
            for (HWND child = GetWindow(window, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (ClassName(child) == "Static" && !WindowText(child).empty()) {
                    if (!seen.text.empty())
                        seen.text += "\n";
                    seen.text += WindowText(child);
                }
            }
            self->m_seen.push_back(seen);
            int command = self->m_chooser(window, seen);
            if (command != 0) {
                self->m_answered.push_back(window);
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
            }
        }
    }
    return CallNextHookEx(self ? self->m_hook : nullptr, code, wParam, lParam);
}

} // namespace ui
