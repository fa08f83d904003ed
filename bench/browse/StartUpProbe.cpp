// The start-up probe: a window found by polling, then timed answers to WM_NULL.
#include "StartUpProbe.h"

#include "../support/BenchSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

constexpr double kShowTimeoutSeconds = 60;
constexpr DWORD kAnswerTimeoutMs = 60000;
constexpr DWORD kCloseTimeoutMs = 30000;

struct WindowSearch {
    DWORD process = 0;
    HWND found = nullptr;
};

BOOL CALLBACK TakeIfShownMain(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (owner != search.process || !IsWindowVisible(window) || (style & WS_CAPTION) != WS_CAPTION)
        return TRUE;
    search.found = window;
    return FALSE;
}

// The process's visible top-level window with a caption; null while it has none.
HWND ShownMainWindow(DWORD process) {
    WindowSearch search{process};
    EnumWindows(TakeIfShownMain, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds until the window answers a sent WM_NULL.
double AnswerMilliseconds(HWND window) {
    const double start = Now();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result);
    return (Now() - start) * 1000;
}

} // namespace

std::optional<StartUpTimes> TimeStartUp(const std::string& program, const std::string& path,
                                        double watchSeconds) {
    std::string command = "\"" + program + "\" \"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const double start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child))
        return std::nullopt;
    CloseHandle(child.hThread);

    HWND window = nullptr;
    while (!window && Now() - start < kShowTimeoutSeconds &&
           WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT) {
        window = ShownMainWindow(child.dwProcessId);
        if (!window)
            Sleep(1);
    }
    std::optional<StartUpTimes> times;
    if (window) {
        times.emplace();
        times->shown = (Now() - start) * 1000;
        times->firstAnswer = AnswerMilliseconds(window);
        const double watchStart = Now();
        while (Now() - watchStart < watchSeconds) {
            times->longestWait = std::max(times->longestWait, AnswerMilliseconds(window));
            Sleep(1);
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(child.hProcess, kCloseTimeoutMs) == WAIT_TIMEOUT) {
        std::printf("the program did not close within %lu ms: ended\n", kCloseTimeoutMs);
        TerminateProcess(child.hProcess, 1);
    }
    CloseHandle(child.hProcess);
    return times;
}

} // namespace bench
