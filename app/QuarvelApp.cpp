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

namespace {
// Lays the hidden window out maximized on its monitor, keeping its normal place for a restore:
// where the system puts a maximized window, its sizing borders just outside the work area.
void MaximizeHidden(CWnd& window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(window.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    const int padding = GetSystemMetrics(SM_CXPADDEDBORDER);
    const int borderX = GetSystemMetrics(SM_CXFRAME) + padding;
    const int borderY = GetSystemMetrics(SM_CYFRAME) + padding;
    const RECT& work = monitor.rcWork;
    window.ModifyStyle(0, WS_MAXIMIZE);
    window.SetWindowPos(nullptr, work.left - borderX, work.top - borderY,
                        work.right - work.left + 2 * borderX, work.bottom - work.top + 2 * borderY,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Shows the window as it is laid out, leaving its painting to the message loop: a show paints
// every pane before it returns, while the window is already visible but cannot answer.
void ShowUnpainted(CWnd& window) {
    window.SetWindowPos(nullptr, 0, 0, 0, 0,
                        SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
} // namespace

BOOL CQuarvelApp::InitInstance() {
    // Dragging icons out to other programs is OLE's drag and drop, run on this thread.
    m_bOleInitialized = SUCCEEDED(OleInitialize(nullptr));
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
    // The window shows once the start-up work is done, so that from then on it answers at once:
    // hidden, it is laid out at its maximized size and the tree reaches the path.
    m_nCmdShow = SW_HIDE;
    if (!ProcessShellCommand(commandLine) || !m_pMainWnd)
        return FALSE;
    auto* frame = static_cast<CMainFrame*>(m_pMainWnd);
    MaximizeHidden(*frame);
    frame->SizeIconPanes();
    if (!startPath.IsEmpty())
        frame->OpenAt(startPath);
    ShowUnpainted(*frame);
    return TRUE;
}

int CQuarvelApp::ExitInstance() {
    const int code = CWinApp::ExitInstance();
    if (m_bOleInitialized)
        OleUninitialize();
    m_bOleInitialized = false;
    return code;
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
