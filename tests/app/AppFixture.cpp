// Starting and closing Quarvel in the test process; temporary folders.
#include "AppFixture.h"

#include <cstdio>

bool QuarvelStarted::Start(const char* commandLine) {
    AfxWinInit(GetModuleHandleA(nullptr), commandLine, SW_SHOWNORMAL);
    if (!theApp.InitInstance())
        return false;
    frame = static_cast<CMainFrame*>(AfxGetMainWnd());
    ui::PumpPending();
    return frame != nullptr && Filled();
}

void PressCtrlIn(CWnd& window, WPARAM key) {
    window.SetFocus();
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG press{window.m_hWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
    if (!theApp.PreTranslateMessage(&press)) {
        TranslateMessage(&press);
        DispatchMessageA(&press);
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ui::PumpPending();
}

bool QuarvelStarted::Filled(DWORD timeoutMs) {
    return ui::PumpUntil([this] { return !frame->IsFilling(); }, timeoutMs);
}

void QuarvelStarted::TearDown() {
    if (CWnd* main = AfxGetMainWnd())
        main->DestroyWindow();
    theApp.ExitInstance();
    ui::PumpPending();
    frame = nullptr;
}

TempFolder::TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + name;
    CreateDirectoryA(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    for (const auto& file : m_files)
        DeleteFileA(file.c_str());
    for (auto it = m_folders.rbegin(); it != m_folders.rend(); ++it)
        RemoveDirectoryA(it->c_str());
    RemoveDirectoryA(m_path.c_str());
}

std::string TempFolder::AddFile(const char* name) {
    std::string path = m_path + "\\" + name;
    if (FILE* file = std::fopen(path.c_str(), "wb"))
        std::fclose(file);
    m_files.push_back(path);
    return path;
}

std::string TempFolder::AddFolder(const char* name) {
    std::string path = m_path + "\\" + name;
    CreateDirectoryA(path.c_str(), nullptr);
    m_folders.push_back(path);
    return path;
}
