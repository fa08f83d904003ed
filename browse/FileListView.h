// CFileListView: the file list pane. It lists the entries of a folder or the files a search
// found, fills the icon list with their icons as it goes, and offers Open, Properties, Search,
// Copy Path and a command prompt on a row.
#pragma once

#include "FileListCtrl.h"
#include "Framework.h"

class CIconListView;

class CFileListView : public CView {
    DECLARE_DYNCREATE(CFileListView)
public:
    CFileListCtrl& GetListCtrl() { return m_wndList; }
    void SetIconListView(CIconListView* view) { m_pIconListView = view; }
    CIconListView* GetIconListView() const { return m_pIconListView; }
    // Stores the folder tree that folder rows move; null leaves the one stored.
    void SetFolderTree(FolderSelector* tree);

    // Empties the icon list (and with it the sub-icon list), then this list.
    void RemoveAll();
    // Appends the row of path and lists its icons into the icon list; nothing for a path that
    // cannot be read.
    void AddFile(const char* path);
    void Resort() { m_wndList.Resort(); }
    // While off, neither this list nor the icon list repaints: a whole folder goes in at once,
    // and a list repainting after every row is many times slower than the filling itself.
    void SetRedraw(bool redraw);

    void OnDraw(HDC) override {}

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(HWND old);
    void OnContextMenu(HWND window, POINT at);
    void OnShellOpen();
    void OnShellProperties();
    void OnSearchInFolder();
    void OnCopyPath();
    void OnCommandPrompt();
    DECLARE_MESSAGE_MAP()

private:
    // The full path of the row that commands act on; false when no row is selected.
    bool TargetPath(CString& path) const;

    CFileListCtrl m_wndList;
    CIconListView* m_pIconListView = nullptr; // not owned
};
