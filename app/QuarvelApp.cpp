// CQuarvelApp: start-up and the application's own commands.
#include "QuarvelApp.h"

#include "AboutDlg.h"
#include "MainFrm.h"
#include "OpenLink.h"
#include "QuarvelDoc.h"
#include "QuarvelView.h"
#include "resource.h"

CQuarvelApp theApp;

BEGIN_MESSAGE_MAP(CQuarvelApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP_WEB_PAGE, OnWebPage)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

BOOL CQuarvelApp::InitInstance() {
    AfxEnableControlContainer();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQuarvelDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CQuarvelView)));

    // A path on the command line is a place to show, not a document to open.
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    const CString startPath = commandLine.m_strFileName;
    commandLine.m_nShellCommand = CCommandLineInfo::FileNew;
    if (!ProcessShellCommand(commandLine) || !m_pMainWnd)
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    m_pMainWnd->UpdateWindow();
    static_cast<CMainFrame*>(m_pMainWnd)->SizeIconPanes();
    if (!startPath.IsEmpty())
        static_cast<CMainFrame*>(m_pMainWnd)->OpenAt(startPath);
    return TRUE;
}

void CQuarvelApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CQuarvelApp::OnWebPage() {
    CString address;
    address.LoadString(IDS_WEB_PAGE_ADDRESS);
    OpenLink(address, SW_SHOW);
}
