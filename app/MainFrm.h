// CMainFrame: the main window. Five panes in three nested static splitters, the toolbar and the
// status bar, the navigation and help commands, and the operations through which the panes
// reach each other (ShowFolder, ClearFileList, AddFoundFile, StopSearch, SearchInFolder).
#pragma once

#include "Framework.h"
#include "Browser.h"
#include "BrowserPages.h"
#include "FileListView.h"
#include "IconListView.h"
#include "SearchDlg.h"
#include "SearchHost.h"
#include "SubIconView.h"

class CMainFrame : public CFrameWnd, public BrowseHost, public SearchHost {
    DECLARE_DYNCREATE(CMainFrame)
public:
    // Empties the file list (with the icon lists) and lists every entry of path but "." and "..".
    void ShowFolder(const char* path) override;
    void ClearFileList() override;
    // Hands a found file to the file list; 0 for an empty path or before the panes exist.
    int AddFoundFile(const char* path) override;
    void AddFoundFiles(const std::vector<std::string>& paths) override;
    void StopSearch() override;
    // Shows the "Search" page with path as its folder to look in; the search does not start.
    void SearchInFolder(const char* path) override;
    // Gives the sub-icon pane its width once the window has its final size.
    void SizeIconPanes();

    static constexpr int kLeftPaneWidth = 280;
    static constexpr int kFileListHeight = 200;
    static constexpr int kSubIconPaneWidth = 130;

    CSplitterWnd m_wndSplitter;       // left pane | the rest
    CSplitterWnd m_wndRightSplitter;  // file list / icon panes
    CSplitterWnd m_wndBottomSplitter; // icon list | sub-icon view
    CFileListView* m_pFileList = nullptr;
    CSearchDlg* m_pSearchForm = nullptr;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
    // The folder tree view when the "Folder" page is the one shown; otherwise null.
    CFileTreeView* ShownFolderTree() const;

    void OnBack();
    void OnForward();
    void OnUp();
    void OnRefresh();
    void OnUpdateBack(CCmdUI* cmdUI);
    void OnUpdateForward(CCmdUI* cmdUI);
    void OnUpdateUp(CCmdUI* cmdUI);
    void OnUpdateRefresh(CCmdUI* cmdUI);
    void OnHelpContents();
    DECLARE_MESSAGE_MAP()

private:
    CBrowser* m_pBrowser = nullptr;
    CFileTreeView* m_pFolderTree = nullptr;
};
