// CQuarvelApp: the application object. Start-up (OLE, profile, document template, command line,
// maximised main window), About box and the Web page command.
#pragma once

#include "Framework.h"

class CQuarvelApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    void OnAppAbout();
    void OnWebPage();
    DECLARE_MESSAGE_MAP()

private:
    bool m_bOleInitialized = false;
};

extern CQuarvelApp theApp;
