// CPostedCalls: the message-only window and the queue it empties.
#include "PostedCalls.h"

#include "Wnd.h"

namespace {
constexpr char kClassName[] = "QuarvelPostedCalls";
constexpr UINT kRunMessage = WM_USER;

bool RegisterOnce(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    return registered;
}
} // namespace

CPostedCalls::~CPostedCalls() {
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

void CPostedCalls::Post(std::function<void()> call) {
    m_calls.push_back(std::move(call));
    if (!m_hWnd && RegisterOnce(WindowProc)) {
        m_hWnd = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        if (m_hWnd)
            SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!m_bPosted && m_hWnd)
        m_bPosted = PostMessageA(m_hWnd, kRunMessage, 0, 0) != FALSE;
}

void CPostedCalls::RunWaiting() {
    while (!m_calls.empty()) {
        const std::function<void()> call = std::move(m_calls.front());
        m_calls.pop_front();
        call();
    }
}

LRESULT CALLBACK CPostedCalls::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* calls = reinterpret_cast<CPostedCalls*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != kRunMessage || !calls)
        return DefWindowProcA(window, message, wParam, lParam);
    calls->m_bPosted = false;
    try {
        calls->RunWaiting();
    } catch (...) {
        AfxReportCallbackException("a posted call");
        if (calls->HasWaiting()) // the calls behind the one that threw still run
            calls->m_bPosted = PostMessageA(window, kRunMessage, 0, 0) != FALSE;
    }
    return 0;
}
