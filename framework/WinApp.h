// CWinApp: the application object. It runs the message loop (pre-translation through the window
// tree, idle-time updates of the bars), owns the document template, handles New, Open and Exit,
// and keeps the per-user profile with its recent-file list.
#pragma once

#include "CmdTarget.h"
#include "FwString.h"
#include "Registry.h"

#include <memory>
#include <vector>

class CWnd;
class CDocTemplate;
class CDocument;

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FileNothing } m_nShellCommand = FileNew;
    CString m_strFileName;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    CWinApp();
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;     // from string AFX_IDS_APP_TITLE when the application starts
    CString m_strRegistryKey; // company part of the profile key; empty: no profile
    const char* m_lpCmdLine = "";
    int m_nCmdShow = SW_SHOWNORMAL;
    int m_nNumPreviewPages = 0;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    virtual int Run();
    // Idle-time work: updates the main frame's bars; false when there is no more to do.
    virtual BOOL OnIdle(LONG count);
    // Offers msg to every window object from its target up to the main window.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Takes one message from the queue and dispatches it; false on WM_QUIT.
    BOOL PumpMessage();

    // ---- Documents
    void AddDocTemplate(CDocTemplate* docTemplate);
    CDocTemplate* GetFirstDocTemplate() const;
    virtual CDocument* OpenDocumentFile(const char* path);
    void ParseCommandLine(CCommandLineInfo& info) const;
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    // ---- Profile: HKEY_CURRENT_USER\Software\<registry key>\<application name>
    void SetRegistryKey(const char* company);
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    void SaveStdProfileSettings();
    void AddToRecentFileList(const char* path);
    const std::vector<CString>& GetRecentFiles() const { return m_recentFiles; }
    CString GetProfileString(const char* section, const char* entry,
                             const char* fallback = "") const;
    UINT GetProfileInt(const char* section, const char* entry, int fallback) const;
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);

    HICON LoadIcon(UINT id) const;
    HICON LoadStandardIcon(const char* id) const { return ::LoadIconA(nullptr, id); }
    HCURSOR LoadStandardCursor(const char* id) const { return ::LoadCursorA(nullptr, id); }

    DECLARE_MESSAGE_MAP()

private:
    ScopedRegKey OpenSectionKey(const char* section, bool create) const;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<CString> m_recentFiles;
    UINT m_maxRecentFiles = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
const char* AfxGetAppName();
int AfxMessageBox(const char* text, UINT type = MB_OK);
int AfxMessageBox(UINT idPrompt, UINT type = MB_OK);
// Gives the application its instance, command line and show state, and its name from the string
// table (AFX_IDS_APP_TITLE) unless it has one. False when there is no application object.
BOOL AfxWinInit(HINSTANCE instance, const char* cmdLine, int cmdShow);
// Runs the application: AfxWinInit, InitInstance, the message loop, exit. WinMain calls it.
int AfxWinMain(HINSTANCE instance, const char* cmdLine, int cmdShow);
// Registers the common control classes (list, tree, tab, bars, progress, animation).
void AfxEnableControlContainer();

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
