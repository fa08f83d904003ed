// The widget tests' application object and a plain top-level window to host controls in.
#pragma once

#include "Framework.h"

constexpr const char* kWidgetsTestAppName = "Widgets Tests";

// A visible popup window that destroys itself with the object.
struct HostWindow {
    CWnd wnd;
    explicit HostWindow(int width = 600, int height = 400);
};
