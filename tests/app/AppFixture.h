// Starts Quarvel inside the test process (the application object, its template and main frame,
// as Quarvel.exe starts) and closes it again after each test.
#pragma once

#include "MainFrm.h"
#include "QuarvelApp.h"
#include "UiHarness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

class QuarvelStarted : public ::testing::Test {
protected:
    // Starts with a command line and waits until the file list is filled; false when start-up
    // failed.
    bool Start(const char* commandLine = "");
    // Pumps until the file list's fill has ended; false when it has not within the time.
    bool Filled(DWORD timeoutMs = 60000);
    void TearDown() override;

    CMainFrame* frame = nullptr;
    CBrowser* Browser() const { return frame->GetBrowser(); }
    CFileTreeView* Tree() const { return frame->GetFolderTree(); }
    // The frame's caption.
    std::string Caption() const { return ui::WindowText(frame->m_hWnd); }
};

// Ctrl and the key, pressed in the window (given the focus first), as the message loop takes them.
void PressCtrlIn(CWnd& window, WPARAM key);

// A folder of the test's own under the temporary folder, removed with its files afterwards.
class TempFolder {
public:
    explicit TempFolder(const char* name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return m_path; }
    std::string AddFile(const char* name);
    std::string AddFolder(const char* name);

private:
    std::string m_path;
    std::vector<std::string> m_files, m_folders;
};
