// CFileDialog: the common open and save dialogs.
#include "FileDialog.h"

#include "Handles.h"
#include "WinApp.h"
#include "Wnd.h"
#include "engine/platform/AnsiText.h"

#include <shlobj.h>

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_defaultExt(defaultExt), m_pParentWnd(parent) {
    if (fileName)
        lstrcpynA(m_fileName, fileName, sizeof m_fileName);
    if (filter) {
        m_filter = filter;
        for (char& ch : m_filter)
            if (ch == '|')
                ch = '\0';
        m_filter.push_back('\0');
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_fileName;
    m_ofn.nMaxFile = sizeof m_fileName;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.nFilterIndex = 1;
    // A leading dot is not part of the extension the dialog appends.
    if (!m_defaultExt.IsEmpty())
        m_ofn.lpstrDefExt = m_defaultExt.GetString() + (m_defaultExt.GetAt(0) == '.' ? 1 : 0);
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
    BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const {
    CString path(m_fileName);
    int slash = path.ReverseFind('\\');
    return path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString BrowseForFolder(HWND owner) {
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    const ScopedItemIdList chosen(SHBrowseForFolderA(&browse));
    // Wide: a folder of MAX_PATH characters can take more than MAX_PATH bytes of UTF-8.
    wchar_t path[MAX_PATH] = L"";
    if (!chosen || !SHGetPathFromIDListW(chosen.Get(), path))
        return CString();
    return quarvel::platform::NarrowFromWide(path);
}
