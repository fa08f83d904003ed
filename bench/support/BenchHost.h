// A visible top-level window holding one pane of the program, as the frame holds its panes.
#pragma once

#include "Framework.h"

namespace bench {

// Creates host as a window of cx by cy and a View filling its client area; the view (deleted
// with its window) or null when either cannot be made.
template <typename View> View* CreateHostedView(CWnd& host, const char* title, int cx, int cy) {
    AfxEnableControlContainer();
    if (!host.CreateEx(0, AfxDefaultWndClass(), title,
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, cx, cy, nullptr,
                       nullptr))
        return nullptr;
    RECT client;
    host.GetClientRect(&client);
    auto* view = new View;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, &host, AFX_IDW_PANE_FIRST))
        return nullptr;
    host.UpdateWindow();
    return view;
}

} // namespace bench
