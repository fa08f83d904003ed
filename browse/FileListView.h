// CFileListView: the file list pane. It lists the entries of a folder or the files a search
// found, hands the icons of each file to an icon list receiver as it goes, and offers Open,
// Properties, Search, Copy Path and a command prompt on a row.
#pragma once

#include "FileListCtrl.h"
#include "FolderPopup.h"
#include "Framework.h"

class CFileListView : public CSingleCtrlView {
    DECLARE_DYNCREATE(CFileListView)
public:
    CFileListView();

    CFileListCtrl& GetListCtrl() { return m_wndList; }
    // Where the icons of added files go (not owned; null: nowhere).
    void SetIconReceiver(quarvel::IconListReceiver* icons) { m_pIcons = icons; }
    quarvel::IconListReceiver* GetIconReceiver() const { return m_pIcons; }
    // Stores the folder tree that folder rows move; null leaves the one stored.
    void SetFolderTree(FolderSelector* tree);

    // Deletes every row and their icons; the receiver of the files' icons is emptied by
    // whoever filled it.
    void RemoveAll() { m_wndList.RemoveAllRows(); }
    // Appends the row of path and lists its icons into the icon receiver; nothing for a path
    // that cannot be read.
    void AddFile(const char* path) { m_wndList.AddFile(path, m_pIcons); }
    void Resort() { m_wndList.Resort(); }

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The columns, made for 96 DPI, keep their share of the text at dpi.
    void SetDpi(int dpi) override;

protected:
    bool CreateControl() override;
    void OnContextMenu(HWND window, POINT at);
    DECLARE_MESSAGE_MAP()

private:
    // The target row as the row menu's commands see it.
    FolderPopupTarget RowTarget() const;

    CFileListCtrl m_wndList;
    CFolderPopup m_rowMenu;
    quarvel::IconListReceiver* m_pIcons = nullptr; // not owned
};
