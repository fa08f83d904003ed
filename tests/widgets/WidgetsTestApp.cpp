// The widget tests' application object.
#include "WidgetsTestApp.h"

namespace {
class CWidgetsTestApp : public CWinApp {
public:
    CWidgetsTestApp() { m_strAppName = kWidgetsTestAppName; }
};
CWidgetsTestApp theApp;
} // namespace
