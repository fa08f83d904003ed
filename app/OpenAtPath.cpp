// CMainFrame::OpenAt: the path named on the command line, shown as the user would reach it.
#include "MainFrm.h"

#include "engine/IconItem.h"
#include "resource.h"

namespace {
// The path made absolute (relative to the current folder) with its long names; "" when it does
// not exist.
CString ExistingFullPath(const char* path) {
    // Sized by the calls themselves: a path of MAX_PATH characters can take more bytes in UTF-8.
    CString full;
    const DWORD size = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0 ||
        GetFullPathNameA(path, size, full.GetBuffer(static_cast<int>(size)), nullptr) >= size)
        return "";
    full.ReleaseBuffer();
    if (GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES)
        return "";
    CString longPath;
    const DWORD longSize = GetLongPathNameA(full, nullptr, 0);
    if (longSize == 0 || GetLongPathNameA(full, longPath.GetBuffer(static_cast<int>(longSize)),
                                          longSize) >= longSize)
        return full;
    longPath.ReleaseBuffer();
    return longPath;
}

// The row of the list whose name is name (without regard to case); -1 when there is none.
int FindRowNamed(const CFileListCtrl& list, const CString& name) {
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (list.GetItemText(row, kNameColumn).CompareNoCase(name) == 0)
            return row;
    return -1;
}

// The first icon listed for the file at path; -1 when it has none.
int FindFirstIconOf(CIconListCtrl& icons, const CString& path) {
    for (int index = 0; index < icons.GetItemCount(); ++index) {
        const quarvel::CIconItem* item = icons.GetIconItem(index);
        if (item && path.CompareNoCase(item->GetListedPath().c_str()) == 0)
            return index;
    }
    return -1;
}

void FocusItem(CListCtrl& list, int index) {
    list.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(index, FALSE);
}
} // namespace

void CMainFrame::OpenAt(const char* path) {
    if (!path || !*path || !m_pFileList || !m_pIconList)
        return;
    const CString full = ExistingFullPath(path);
    if (full.IsEmpty()) {
        CString message;
        message.Format("\"%s\" was not found; showing C:\\", path);
        SetMessageText(message);
        if (IsFilling())
            m_strFilledNote = message; // the end of the fill would cover it
        return;                        // the tree already shows "C:\"
    }
    const bool folder = (GetFileAttributesA(full) & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const int lastSlash = full.ReverseFind('\\');
    // A drive's root keeps its backslash; a file's folder is what comes before its name.
    CString shown = folder ? full : full.Left(lastSlash);
    if (shown.GetLength() == 2 && shown[1] == ':')
        shown += "\\";

    // Selecting the folder in the tree shows it as a click there would; a folder the tree cannot
    // reach is shown all the same.
    if (!m_pFolderTree || !m_pFolderTree->GetTreeCtrl().SetSelectedPath(shown, true)) {
        CString title;
        title.LoadString(IDS_VERSION_TITLE);
        SetWindowText(title + " - " + shown);
        StopSearch();
        ShowFolder(shown);
    }
    if (folder)
        return;
    if (IsFilling())
        m_strFocusWhenFilled = full;
    else
        FocusListedFile(full);
}

void CMainFrame::FocusListedFile(const CString& path) {
    CFileListCtrl& files = m_pFileList->GetListCtrl();
    const int row = FindRowNamed(files, path.Mid(path.ReverseFind('\\') + 1));
    if (row < 0)
        return;
    FocusItem(files, row);
    SetActiveView(m_pFileList);
    CIconListCtrl& icons = m_pIconList->GetListCtrl();
    const int icon = FindFirstIconOf(icons, files.GetFullPath(row));
    if (icon >= 0)
        FocusItem(icons, icon);
}
