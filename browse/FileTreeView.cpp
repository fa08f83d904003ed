// CFileTreeView: the tree page, its start on "C:\", and the requests its tree makes.
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

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CShellTreeCtrl)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CFolderTreeCtrl::OnSelectionChanged(NMHDR*, const CString& path) {
    if (GetListing() && !path.IsEmpty())
        GetListing()->FolderSelected(path);
}

void CFolderTreeCtrl::OnLButtonDown(UINT, POINT at) {
    TVHITTESTINFO hit{};
    hit.pt = at;
    const HTREEITEM item = HitTest(&hit);
    const bool onSelected = item && (hit.flags & TVHT_ONITEM) && item == GetSelectedItem();
    Default(); // the control tracks the mouse until the button comes up, and selects
    if (onSelected && item == GetSelectedItem() && GetListing())
        GetListing()->SelectedFolderClicked(ItemToPath(item));
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
