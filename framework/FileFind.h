// CFileFind: enumerates the entries that match a pattern (FindFirstFileW / FindNextFileW, the
// names given in the program's narrow text).
// Usage: FindFile(pattern); then while(more) { more = FindNextFile(); use the entry; }.
#pragma once

#include "FwString.h"
#include "Handles.h"

#include <windows.h>

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search ("*.*" when pattern is null); false when nothing matches.
    BOOL FindFile(const char* pattern = nullptr);
    // Makes the next entry current; false when the current entry is the last one (it is still
    // valid).
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const { return m_currentName; }
    CString GetFilePath() const { return m_root + m_currentName; }
    CString GetFileTitle() const;
    CString GetRoot() const { return m_root; }
    ULONGLONG GetLength() const {
        return (static_cast<ULONGLONG>(m_current.nFileSizeHigh) << 32) | m_current.nFileSizeLow;
    }
    BOOL GetLastWriteTime(FILETIME* time) const {
        *time = m_current.ftLastWriteTime;
        return TRUE;
    }
    DWORD GetAttributes() const { return m_current.dwFileAttributes; }
    BOOL IsDirectory() const {
        return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    BOOL IsHidden() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0; }
    BOOL IsDots() const;

private:
    ScopedFind m_search;
    // Wide: the narrow entry's MAX_PATH bytes can cut a long UTF-8 name short.
    WIN32_FIND_DATAW m_current{};
    WIN32_FIND_DATAW m_next{};
    CString m_currentName;
    bool m_hasNext = false;
    CString m_root; // the pattern's folder, with its trailing backslash
};
