// CQuarvelApp: the application object. Start-up (profile, document template, command line,
// maximised main window), About box and the Web page command.
#pragma once

#include "Framework.h"

class CQuarvelApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    void OnAppAbout();
    void OnWebPage();
    DECLARE_MESSAGE_MAP()
};

extern CQuarvelApp theApp;
