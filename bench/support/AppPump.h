// Quarvel's message loop, run by a benchmark that drives the whole program in its own process.
#pragma once

#include "QuarvelApp.h"

#include <windows.h>

#include <functional>

namespace bench {

// Runs the message loop until done() holds, asking after every message: the fill's timer
// messages may never leave the queue empty. Idle work runs as the application's own loop runs
// it (CWinApp::Run): when the queue empties after a message other than a paint or a timer,
// until OnIdle has nothing more to do.
inline void PumpAppUntil(const std::function<bool()>& done) {
    bool idle = true;
    LONG idleCount = 0;
    while (!done()) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (msg.message != WM_PAINT && msg.message != WM_TIMER) {
                idle = true;
                idleCount = 0;
            }
            continue;
        }
        if (idle && !theApp.OnIdle(idleCount++))
            idle = false;
        if (!idle)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

} // namespace bench
