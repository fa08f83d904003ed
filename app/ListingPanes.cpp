// CMainFrame as the current listing's host: the panes it empties and fills, the file it
// focuses, the search it ends, its caption and status bar.
#include "MainFrm.h"

#include "engine/IconItem.h"

namespace {
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

void CMainFrame::ShowFolderInCaption(const char* folder) {
    // The frame's part of the caption: "<document title> - <folder>", as the document's title
    // changes too ("Quarvel v1.0" until a file is opened).
    SetTitle(folder);
    OnUpdateFrameTitle(TRUE);
}

void CMainFrame::ShowStatus(const char* text) {
    m_strListingStatus = text;
    if (m_bStatusNarrowed)
        ShowStatusWithShown();
    else
        SetMessageText(text);
}

void CMainFrame::EmptyLists() {
    // The fill ends first, so that nothing of it reaches the emptied lists.
    if (m_pFileList)
        m_pFileList->StopFill();
    if (m_pIconList)
        m_pIconList->RemoveAll();
    if (m_pFileList)
        m_pFileList->RemoveAll();
}

void CMainFrame::FillFromFolder(const char* folder) {
    if (m_pFileList && m_pIconList)
        m_pFileList->FillFromFolder(folder);
}

void CMainFrame::AddFiles(const std::vector<std::string>& paths) {
    if (m_pFileList && m_pIconList)
        m_pFileList->AddFiles(paths);
}

bool CMainFrame::IsFileListFilling() const {
    return m_pFileList && m_pFileList->IsFilling();
}

void CMainFrame::FocusFile(const char* path) {
    if (!m_pFileList || !m_pIconList)
        return;
    const CString full(path);
    CFileListCtrl& files = m_pFileList->GetListCtrl();
    const int row = FindRowNamed(files, full.Mid(full.ReverseFind('\\') + 1));
    if (row < 0)
        return;
    FocusItem(files, row);
    SetActiveView(m_pFileList);
    CIconListCtrl& icons = m_pIconList->GetListCtrl();
    const int icon = FindFirstIconOf(icons, files.GetFullPath(row));
    if (icon >= 0)
        FocusItem(icons, icon);
}

void CMainFrame::EndSearch() {
    if (m_pSearchForm && ::IsWindow(m_pSearchForm->m_hWnd))
        m_pSearchForm->EndSearch();
}

void CMainFrame::ShowSearchPage(const char* path) {
    if (!m_pBrowser || !m_pSearchForm)
        return;
    m_pBrowser->SelectTab(CBrowser::kSearchPage);
    m_pSearchForm->SetLookInFolder(path);
}
