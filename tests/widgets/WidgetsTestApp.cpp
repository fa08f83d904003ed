// The widget tests' application object and host window.
#include "WidgetsTestApp.h"

namespace {
class CWidgetsTestApp : public CWinApp {
public:
    CWidgetsTestApp() { m_strAppName = kWidgetsTestAppName; }
};
CWidgetsTestApp theApp;
} // namespace

HostWindow::HostWindow(int width, int height) {
    wnd.CreateEx(0, nullptr, "widgets host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width,
                 height, nullptr, nullptr);
}
