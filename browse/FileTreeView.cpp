// CFileTreeView: the tree page, its start on "C:\", and what a selected folder sets off.
#include "FileTreeView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CFileTreeView, CSingleCtrlView)

BEGIN_MESSAGE_MAP(CFileTreeView, CSingleCtrlView)
    ON_COMMAND(ID_SEARCH_IN_FOLDER, OnSearch)
END_MESSAGE_MAP()

namespace {
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
} // namespace

void CFolderTreeCtrl::OnSelectionChanged(NMHDR*, const CString& path) {
    if (path.IsEmpty() || !IsFolder(path))
        return; // the computer root, servers, domains: no folder to show
    CWnd* main = AfxGetMainWnd();
    if (main) {
        CString title;
        title.LoadString(IDS_VERSION_TITLE);
        main->SetWindowText(title + " - " + path);
    }
    if (auto* host = dynamic_cast<BrowseHost*>(GetParentFrame())) {
        host->StopSearch();
        host->ShowFolder(path);
    }
}

bool CFileTreeView::CreateControl() {
    return m_wndTree.Create(kTreeStyle, RECT{0, 0, 0, 0}, this, kTreeId) != FALSE;
}

void CFileTreeView::OnInitialUpdate() {
    CSingleCtrlView::OnInitialUpdate();
    m_wndTree.OnInitialFill();
    m_wndTree.SetSelectedPath("C:\\", false);
}

bool CFileTreeView::CanGoUp() const {
    const HTREEITEM selected = m_wndTree.m_hWnd ? m_wndTree.GetSelectedItem() : nullptr;
    return selected && m_wndTree.GetParentItem(selected);
}

void CFileTreeView::GoUp() {
    if (m_wndTree.m_hWnd)
        m_wndTree.UpOneLevel();
}

void CFileTreeView::RefreshTree() {
    if (m_wndTree.m_hWnd)
        m_wndTree.Refresh();
}
