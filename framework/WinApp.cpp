// CWinApp: start-up, the message loop, documents and the per-user profile.
#include "WinApp.h"

#include "DocTemplate.h"
#include "FileDialog.h"
#include "FwIds.h"
#include "Wnd.h"

#include <commctrl.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {
CWinApp* currentApp = nullptr;
const char kRecentSection[] = "Recent File List";
// A longer profile text reads as missing.
constexpr std::size_t kMaxProfileText = 1023;
} // namespace

CWinApp* AfxGetApp() {
    return currentApp;
}
CWnd* AfxGetMainWnd() {
    return currentApp ? currentApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return currentApp && currentApp->m_hInstance ? currentApp->m_hInstance
                                                 : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

const char* AfxGetAppName() {
    return currentApp && !currentApp->m_strAppName.IsEmpty() ? currentApp->m_strAppName.GetString()
                                                             : "";
}

int AfxMessageBox(const char* text, UINT type) {
    CWnd* main = AfxGetMainWnd();
    HWND owner = main ? main->m_hWnd : nullptr;
    if (owner && !IsWindowEnabled(owner))
        owner = GetActiveWindow(); // a modal dialog is up: own the box by it
    return MessageBoxA(owner, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT idPrompt, UINT type) {
    CString text;
    text.LoadString(idPrompt);
    return AfxMessageBox(text, type);
}

CWinApp::CWinApp() {
    currentApp = this;
}

CWinApp::~CWinApp() {
    if (currentApp == this)
        currentApp = nullptr;
}

BOOL AfxWinInit(HINSTANCE instance, const char* cmdLine, int cmdShow) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : "";
    app->m_nCmdShow = cmdShow;
    if (app->m_strAppName.IsEmpty())
        app->m_strAppName.LoadString(AFX_IDS_APP_TITLE);
    return TRUE;
}

int AfxWinMain(HINSTANCE instance, const char* cmdLine, int cmdShow) {
    if (!AfxWinInit(instance, cmdLine, cmdShow))
        return 1;
    CWinApp* app = AfxGetApp();
    BOOL started = FALSE;
    try {
        started = app->InitInstance();
    } catch (...) {
        AfxReportCallbackException("start-up");
    }
    if (!started) {
        if (app->m_pMainWnd && IsWindow(app->m_pMainWnd->m_hWnd))
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

void AfxEnableControlContainer() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS |
                                                     ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES |
                                                     ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
}

// ---- Message loop

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    // From the target window up through its parents (and the owners of popups) to the main window.
    HWND stop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = GetParent(hWnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd))
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        if (hWnd == stop)
            break;
    }
    return FALSE;
}

BOOL CWinApp::PumpMessage() {
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0)
        return FALSE;
    if (!PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWinApp::OnIdle(LONG count) {
    if (count == 0 && m_pMainWnd && IsWindow(m_pMainWnd->m_hWnd)) {
        AfxCallWndProc(m_pMainWnd, m_pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, true, true);
    }
    CWnd::DeleteTempMap();
    return FALSE;
}

int CWinApp::Run() {
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        MSG peek;
        while (idle && !PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idleCount++))
                idle = false;
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (peek.message != WM_PAINT && peek.message != WM_TIMER) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    m_templates.clear(); // with them the documents they still hold
    return 0;
}

// ---- Documents

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
    m_templates.emplace_back(docTemplate);
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const {
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

CDocument* CWinApp::OpenDocumentFile(const char* path) {
    CDocTemplate* docTemplate = GetFirstDocTemplate();
    return docTemplate ? docTemplate->OpenDocumentFile(path) : nullptr;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    // Arguments split as the C runtime splits them: blanks separate, quotes group.
    std::vector<CString> args;
    CString current;
    bool inQuotes = false, inArg = false;
    for (const char* p = m_lpCmdLine; *p; ++p) {
        if (*p == '"') {
            inQuotes = !inQuotes;
            inArg = true;
        } else if ((*p == ' ' || *p == '\t') && !inQuotes) {
            if (inArg)
                args.push_back(current);
            current.Empty();
            inArg = false;
        } else {
            current += *p;
            inArg = true;
        }
    }
    if (inArg)
        args.push_back(current);
    for (const CString& arg : args) {
        if (arg.IsEmpty() || arg.GetAt(0) == '/' || arg.GetAt(0) == '-')
            continue; // switches: none of the framework's are used
        if (info.m_strFileName.IsEmpty()) {
            info.m_strFileName = arg;
            info.m_nShellCommand = CCommandLineInfo::FileOpen;
        }
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

void CWinApp::OnFileNew() {
    if (CDocTemplate* docTemplate = GetFirstDocTemplate())
        docTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "All Files (*.*)|*.*||", m_pMainWnd);
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    if (OpenDocumentFile(path))
        AddToRecentFileList(path);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- Profile

void CWinApp::SetRegistryKey(const char* company) {
    m_strRegistryKey = company;
}

ScopedRegKey CWinApp::OpenSectionKey(const char* section, bool create) const {
    if (m_strRegistryKey.IsEmpty() || m_strAppName.IsEmpty())
        return ScopedRegKey();
    CString path = CString("Software\\") + m_strRegistryKey + "\\" + m_strAppName + "\\" + section;
    return create ? CreateRegKey(HKEY_CURRENT_USER, path, KEY_READ | KEY_WRITE)
                  : OpenRegKey(HKEY_CURRENT_USER, path, KEY_READ | KEY_WRITE);
}

CString CWinApp::GetProfileString(const char* section, const char* entry,
                                  const char* fallback) const {
    const ScopedRegKey key = OpenSectionKey(section, false);
    std::string text;
    if (!key || ReadRegistryText(key.Get(), entry, kMaxProfileText, RegText::PlainOnly, text) !=
                    ERROR_SUCCESS)
        return fallback;
    return text.c_str();
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int fallback) const {
    const ScopedRegKey key = OpenSectionKey(section, false);
    if (!key)
        return static_cast<UINT>(fallback);
    DWORD value = 0, size = sizeof value, type = 0;
    LONG status =
        RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    return status == ERROR_SUCCESS && type == REG_DWORD ? value : static_cast<UINT>(fallback);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    const ScopedRegKey key = OpenSectionKey(section, true);
    if (!key)
        return FALSE;
    LONG status =
        value ? RegSetValueExA(key.Get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>(strlen(value) + 1))
              : RegDeleteValueA(key.Get(), entry);
    return status == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
    const ScopedRegKey key = OpenSectionKey(section, true);
    if (!key)
        return FALSE;
    DWORD data = static_cast<DWORD>(value);
    LONG status = RegSetValueExA(key.Get(), entry, 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&data), sizeof data);
    return status == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    m_maxRecentFiles = maxRecentFiles;
    m_recentFiles.clear();
    for (UINT i = 1; i <= maxRecentFiles; ++i) {
        CString entry;
        entry.Format("File%u", i);
        CString path = GetProfileString(kRecentSection, entry);
        if (!path.IsEmpty())
            m_recentFiles.push_back(path);
    }
    m_nNumPreviewPages = static_cast<int>(GetProfileInt("Settings", "PreviewPages", 0));
}

void CWinApp::SaveStdProfileSettings() {
    if (m_maxRecentFiles == 0)
        return;
    // Nothing was ever recorded: leave the registry alone.
    if (m_recentFiles.empty() && !OpenSectionKey(kRecentSection, false))
        return;
    for (UINT i = 1; i <= m_maxRecentFiles; ++i) {
        CString entry;
        entry.Format("File%u", i);
        WriteProfileString(kRecentSection, entry,
                           i <= m_recentFiles.size() ? m_recentFiles[i - 1].GetString() : nullptr);
    }
}

void CWinApp::AddToRecentFileList(const char* path) {
    if (m_maxRecentFiles == 0 || !path || !*path)
        return;
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    CString entry = length > 0 && length < MAX_PATH ? CString(full) : CString(path);
    m_recentFiles.erase(
        std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                       [&](const CString& e) { return e.CompareNoCase(entry) == 0; }),
        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), entry);
    if (m_recentFiles.size() > m_maxRecentFiles)
        m_recentFiles.resize(m_maxRecentFiles);
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}
