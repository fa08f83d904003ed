// CFileDialog: the common open and save dialogs. Filters are written "Text|*.ext|...||".
// BrowseForFolder: the shell's folder picker.
#pragma once

#include "FwString.h"

#include <windows.h>
#include <commdlg.h>

#include <string>

class CWnd;

class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr,
                const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    OPENFILENAMEA m_ofn{};
    // IDOK or IDCANCEL.
    INT_PTR DoModal();
    CString GetPathName() const { return m_fileName; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

private:
    BOOL m_bOpenFileDialog;
    char m_fileName[MAX_PATH * 4] = "";
    std::string m_filter;
    CString m_defaultExt;
    CWnd* m_pParentWnd;
};

// Runs the shell's folder picker over owner; the chosen file-system folder, or "" when the user
// cancels or picks something that is not one.
CString BrowseForFolder(HWND owner);
