// UI test harness: pumping until a condition holds, the per-test watch (callback exceptions, the
// test's name for the watchdog), the per-process watchdog and the dialog answerer.
#include "UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace ui {

namespace {
thread_local DialogAnswerer* activeAnswerer = nullptr;

std::mutex currentTestLock;
std::string currentTest; // "Suite.Name" of the running test, empty between tests

void setCurrentTest(std::string name) {
    std::lock_guard<std::mutex> hold(currentTestLock);
    currentTest = std::move(name);
}

// Fails a test during which a window procedure or callback stopped an exception it did not
// expect, and tells the watchdog which test runs.
class TestWatch : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo& test) override {
        setCurrentTest(std::string(test.test_suite_name()) + "." + test.name());
        m_expected = 0;
        m_countAtStart = AfxCallbackExceptionCount();
    }
    // Runs after the test's TearDown and destructor, so their windows are watched too.
    void OnTestEnd(const ::testing::TestInfo&) override {
        const long swallowed = AfxCallbackExceptionCount() - m_countAtStart;
        if (swallowed != m_expected)
            ADD_FAILURE() << swallowed << " exception(s) stopped at a callback boundary, "
                          << m_expected << " expected; the last in "
                          << AfxLastCallbackExceptionPlace();
        setCurrentTest("");
    }
    long m_expected = 0;

private:
    long m_countAtStart = 0;
};

// Listeners hear the end of a test in reverse order: appended, this one reports before the
// printer, so its failure shows under the test.
TestWatch* const testWatch = [] {
    auto* watch = new TestWatch;
    ::testing::UnitTest::GetInstance()->listeners().Append(watch);
    return watch;
}();

// Ends the process if the tests run longer than QUARVEL_UI_WATCHDOG seconds (default 240):
// a hung modal loop must fail the test run, not stall it.
struct Watchdog {
    Watchdog() {
        const char* setting = std::getenv("QUARVEL_UI_WATCHDOG");
        int seconds = setting ? std::atoi(setting) : 240;
        std::thread([seconds] {
            Sleep(static_cast<DWORD>(seconds) * 1000);
            std::string hung;
            {
                std::lock_guard<std::mutex> hold(currentTestLock);
                hung = currentTest.empty() ? "(between tests)" : currentTest;
            }
            std::fprintf(stderr,
                         "UI test watchdog: still running after %d s in %s, ending the process\n",
                         seconds, hung.c_str());
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

// Dispatches what is queued now; a destroyed main frame posts WM_QUIT, which tests go past.
void dispatchQueued(DWORD limitMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < limitMs && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            dispatchOne(msg);
    }
}

void runIdle() {
    if (CWinApp* app = AfxGetApp())
        app->OnIdle(0);
}
} // namespace

void ExpectCallbackExceptions(long count) {
    testWatch->m_expected = count;
}

void PumpPending() {
    dispatchQueued(2000); // a window that posts to itself forever must not hold the test
    runIdle();
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        dispatchQueued(timeoutMs);
        runIdle();
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, timeoutMs - elapsed),
                                  QS_ALLINPUT);
    }
}

bool PumpEachUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT)
                dispatchOne(msg);
        } else if (GetTickCount() - start > timeoutMs) {
            return false;
        } else {
            runIdle();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
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
