// Quarvel's message loop, run by a benchmark that drives the whole program in its own process.
#pragma once

#include "QuarvelApp.h"

#include <windows.h>

#include <functional>

namespace bench {

// Runs the message loop until done() holds, asking after every message: the fill's timer
// messages may never leave the queue empty.
inline void PumpAppUntil(const std::function<bool()>& done) {
    while (!done()) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        theApp.OnIdle(0);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

} // namespace bench
