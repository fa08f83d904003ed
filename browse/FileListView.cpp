// CFileListView: creation, filling, and the row menu.
#include "FileListView.h"

IMPLEMENT_DYNCREATE(CFileListView, CSingleCtrlView)

BEGIN_MESSAGE_MAP(CFileListView, CSingleCtrlView)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {
// The list shows the row icons that the control owns and replaces: it must never destroy them.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                             WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
} // namespace

CFileListView::CFileListView()
    : CSingleCtrlView(m_wndList), m_rowMenu(*this, [this] { return RowTarget(); }) {}

bool CFileListView::CreateControl() {
    if (!m_wndList.Create(kListStyle, RECT{0, 0, 0, 0}, this, AFX_IDW_PANE_FIRST))
        return false;
    m_wndList.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    m_wndList.SetImageList(m_wndList.GetRowIcons(), LVSIL_SMALL);
    return m_wndList.AppendColumns();
}

void CFileListView::SetDpi(int dpi) {
    const int laidOutAt = GetDpi();
    CSingleCtrlView::SetDpi(dpi);
    m_wndList.ScaleColumnWidths(laidOutAt, dpi);
}

void CFileListView::SetFolderTree(FolderSelector* tree) {
    if (tree)
        m_wndList.SetFolderTree(tree);
}

// ---- Row menu

bool CFileListView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return m_rowMenu.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           CSingleCtrlView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

FolderPopupTarget CFileListView::RowTarget() const {
    const int row = m_wndList.GetTargetRow();
    if (row < 0)
        return FolderPopupTarget{};
    const bool folder = m_wndList.IsFolderRow(row);
    return FolderPopupTarget{m_wndList.GetFullPath(row), true, folder, folder};
}

void CFileListView::OnContextMenu(HWND, POINT at) {
    const int row = m_wndList.GetTargetRow();
    if (row < 0)
        return;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: under the row the menu is for.
        RECT rect{};
        m_wndList.GetItemRect(row, &rect, LVIR_LABEL);
        at = POINT{rect.left, rect.bottom};
        m_wndList.ClientToScreen(&at);
    }
    m_rowMenu.Show(at);
}
