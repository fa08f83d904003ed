// CFileListView: creation, layout, filling, and the row menu's commands.
#include "FileListView.h"

#include "IconListView.h"
#include "ShellCommands.h"
#include "resource.h"

#include <shellapi.h>

IMPLEMENT_DYNCREATE(CFileListView, CView)

BEGIN_MESSAGE_MAP(CFileListView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_SHELL_OPEN, OnShellOpen)
    ON_COMMAND(ID_SHELL_PROPERTIES, OnShellProperties)
    ON_COMMAND(ID_SEARCH_IN_FOLDER, OnSearchInFolder)
    ON_COMMAND(ID_COPY_PATH, OnCopyPath)
    ON_COMMAND(ID_COMMAND_PROMPT, OnCommandPrompt)
END_MESSAGE_MAP()

namespace {
// The list shows the row icons that the control owns and replaces: it must never destroy them.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                             WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;

// The shell's windows belong to the main window.
HWND ShellOwner(HWND fallback) {
    CWnd* main = AfxGetMainWnd();
    return main ? main->m_hWnd : fallback;
}

void EnableItem(HMENU popup, UINT id, bool enabled) {
    EnableMenuItem(popup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}
} // namespace

int CFileListView::OnCreate(LPCREATESTRUCT cs) {
    if (CView::OnCreate(cs) == -1)
        return -1;
    if (!m_wndList.Create(kListStyle, RECT{0, 0, 0, 0}, this, AFX_IDW_PANE_FIRST))
        return -1;
    m_wndList.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    m_wndList.SetImageList(m_wndList.GetRowIcons(), LVSIL_SMALL);
    return m_wndList.AppendColumns() ? 0 : -1;
}

void CFileListView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    if (m_wndList.m_hWnd)
        m_wndList.MoveWindow(0, 0, cx, cy, TRUE);
}

void CFileListView::OnSetFocus(HWND old) {
    CView::OnSetFocus(old);
    if (m_wndList.m_hWnd)
        m_wndList.SetFocus();
}

void CFileListView::SetFolderTree(FolderSelector* tree) {
    if (tree)
        m_wndList.SetFolderTree(tree);
}

void CFileListView::RemoveAll() {
    if (m_pIconListView)
        m_pIconListView->RemoveAll();
    m_wndList.RemoveAllRows();
}

void CFileListView::AddFile(const char* path) {
    m_wndList.AddFile(path, m_pIconListView ? &m_pIconListView->GetListCtrl() : nullptr);
}

void CFileListView::SetRedraw(bool redraw) {
    CWnd* lists[] = {&m_wndList, m_pIconListView ? &m_pIconListView->GetListCtrl() : nullptr};
    for (CWnd* list : lists) {
        if (!list || !list->m_hWnd)
            continue;
        list->SendMessage(WM_SETREDRAW, redraw);
        if (redraw)
            list->Invalidate();
    }
}

// ---- Row menu and its commands

bool CFileListView::TargetPath(CString& path) const {
    const int row = m_wndList.GetTargetRow();
    if (row < 0)
        return false;
    path = m_wndList.GetFullPath(row);
    return true;
}

void CFileListView::OnContextMenu(HWND, POINT at) {
    const int row = m_wndList.GetTargetRow();
    if (row < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_FOLDER_POPUP))
        return;
    HMENU popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    const bool folder = m_wndList.IsFolderRow(row);
    EnableItem(popup, ID_SEARCH_IN_FOLDER, folder);
    EnableItem(popup, ID_COMMAND_PROMPT, folder);
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: under the row the menu is for.
        RECT rect{};
        m_wndList.GetItemRect(row, &rect, LVIR_LABEL);
        at = POINT{rect.left, rect.bottom};
        m_wndList.ClientToScreen(&at);
    }
    menu.TrackPopupMenu(0, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
}

void CFileListView::OnShellOpen() {
    CString path;
    if (TargetPath(path))
        RunShellVerb(path, nullptr, ShellOwner(m_hWnd));
}

void CFileListView::OnShellProperties() {
    CString path;
    if (TargetPath(path))
        RunShellVerb(path, "properties", ShellOwner(m_hWnd));
}

void CFileListView::OnSearchInFolder() {
    CString path;
    if (!TargetPath(path))
        return;
    if (auto* host = dynamic_cast<BrowseHost*>(GetParentFrame()))
        host->SearchInFolder(path);
}

void CFileListView::OnCopyPath() {
    CString path;
    if (TargetPath(path))
        CopyTextToClipboard(m_hWnd, path);
}

void CFileListView::OnCommandPrompt() {
    const int row = m_wndList.GetTargetRow();
    if (m_wndList.IsFolderRow(row))
        StartCommandPrompt(m_wndList.GetFullPath(row));
}
