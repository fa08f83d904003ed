// CFileFind: one entry ahead, so FindNextFile can say whether the entry it makes current is the
// last.
#include "FileFind.h"

#include "engine/platform/AnsiText.h"

#include <algorithm>
#include <cwchar>

BOOL CFileFind::FindFile(const char* pattern) {
    Close();
    CString search = pattern ? pattern : "*.*";
    int slash = std::max(search.ReverseFind('\\'), search.ReverseFind('/'));
    m_root = search.Left(slash + 1);
    m_search.Reset(FindFirstFileW(quarvel::platform::WideFromNarrow(search).c_str(), &m_next));
    m_hasNext = static_cast<bool>(m_search);
    return m_hasNext;
}

BOOL CFileFind::FindNextFile() {
    if (!m_hasNext)
        return FALSE;
    m_current = m_next;
    m_currentName = quarvel::platform::NarrowFromWide(m_current.cFileName).c_str();
    m_hasNext = ::FindNextFileW(m_search.Get(), &m_next) != 0;
    return m_hasNext;
}

void CFileFind::Close() {
    m_search.Reset();
    m_hasNext = false;
}

CString CFileFind::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot <= 0 ? name : name.Left(dot);
}

BOOL CFileFind::IsDots() const {
    return IsDirectory() && (std::wcscmp(m_current.cFileName, L".") == 0 ||
                             std::wcscmp(m_current.cFileName, L"..") == 0);
}
