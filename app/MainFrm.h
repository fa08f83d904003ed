// CMainFrame: the main window. Five panes in three nested static splitters, the toolbar and the
// status bar, the navigation and help commands. It owns the current listing (CurrentListing),
// hands it to the panes, and serves it as its host; its own operations on the listing
// (ShowFolder, ClearFileList, AddFoundFile, StopSearch, SearchInFolder, OpenAt) are calls into
// it, carried out at once.
#pragma once

#include "Browser.h"
#include "CurrentListing.h"
#include "FileListView.h"
#include "FileTreeView.h"
#include "Framework.h"
#include "IconListView.h"
#include "SearchDlg.h"
#include "SearchToListing.h"
#include "SubIconView.h"

class CMainFrame : public CFrameWnd, private ListingHost {
    DECLARE_DYNCREATE(CMainFrame)
public:
    // Chooses the folder at path: the caption names it, a search ends, the lists are emptied
    // and the rows and icons of its entries arrive while the window goes on answering.
    void ShowFolder(const char* path) { m_listing.ShowFolder(path); }
    // Empties the icon lists and the file list for a search's found files.
    void ClearFileList() { m_listing.StartSearchListing(); }
    // Hands found files to the file list's fill while it lists a search's files; 0 for an empty
    // path, before the panes exist or while the list shows a folder.
    int AddFoundFile(const char* path) { return m_listing.AddFoundFiles({path ? path : ""}); }
    void AddFoundFiles(const std::vector<std::string>& paths) { m_listing.AddFoundFiles(paths); }
    void StopSearch() { m_listing.StopSearch(); }
    // Shows the "Search" page with path as its folder to look in; the search does not start.
    void SearchInFolder(const char* path) { m_listing.ShowSearchFor(path); }
    // Whether the listing is still settling: a request waits or the file list fills.
    bool IsFilling() const { return m_listing.IsSettling(); }
    CurrentListing& GetListing() { return m_listing; }
    // Gives the sub-icon pane its width in pixels, 0 for kSubIconPaneWidth at the window's DPI
    // (the icon list takes the rest); called once the window has its final size.
    void SizeIconPanes(int subIconPaneWidth = 0);
    // Shows the folder at path, or the folder of the file at path with the file's row focused
    // and its first icon in the sub-icon view once the list is filled; a path that does not
    // exist leaves "C:\" shown and says so in the status bar.
    void OpenAt(const char* path) { m_listing.OpenAt(path); }

    // Pane sizes at 96 DPI; the window scales them to its own DPI.
    static constexpr int kLeftPaneWidth = 280;
    static constexpr int kFileListHeight = 200;
    static constexpr int kSubIconPaneWidth = 130;
    // The DPI the window is laid out for, and a size written for 96 DPI at it.
    int GetDpi() const { return m_nDpi; }
    int Scaled(int size) const { return AfxScaleToDpi(size, m_nDpi); }

    // The panes, null until they exist (a page that could not be made stays null).
    CBrowser* GetBrowser() const { return m_pBrowser; }
    CFileTreeView* GetFolderTree() const { return m_pFolderTree; }
    CSearchDlg* GetSearchForm() const { return m_pSearchForm; }
    CFileListView* GetFileList() const { return m_pFileList; }
    CIconListView* GetIconList() const { return m_pIconList; }
    CSubIconView* GetSubIconView() const { return m_pSubIconView; }
    CToolBar& GetToolBar() { return m_wndToolBar; }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    // The icon list's size (IconSize.h), pixels at 96 DPI.
    int GetIconSize() const { return m_nIconSize; }

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
    // View > Icon Size and its steps: the icon list shows the size, the menu checks it and the
    // setting remembers it.
    void OnIconSize(UINT command);
    void OnUpdateIconSize(CCmdUI* cmdUI);
    void OnIconSizeLarger();
    void OnIconSizeSmaller();
    // Finding an icon (IconFinding.cpp): Edit > Find Icon reaches the filter box; View > Sort
    // Icons By and Hide Duplicate Icons set the icon list's order and hiding, checked in the
    // menu and remembered in the settings.
    void OnFindIcon();
    void OnSortIcons(UINT command);
    void OnUpdateSortIcons(CCmdUI* cmdUI);
    void OnHideDuplicates();
    void OnUpdateHideDuplicates(CCmdUI* cmdUI);
    // The window moved to a display of another DPI: it takes the rectangle the system suggests
    // and scales its panes, bars, pictures and fonts.
    LRESULT OnDpiChanged(WPARAM dpis, LPARAM suggestedRect);
    DECLARE_MESSAGE_MAP()

private:
    // ---- ListingHost (ListingPanes.cpp)
    void ShowFolderInCaption(const char* folder) override;
    void ShowStatus(const char* text) override;
    void EmptyLists() override;
    void FillFromFolder(const char* folder) override;
    void AddFiles(const std::vector<std::string>& paths) override;
    bool IsFileListFilling() const override;
    void FocusFile(const char* path) override;
    void EndSearch() override;
    void ShowSearchPage(const char* path) override;

    // The toolbar's pictures drawn nearest the DPI's size (never stretched up), its buttons and
    // gripper at the DPI.
    void LoadToolbarPictures();
    // Every pane lays itself out for m_nDpi.
    void SetPanesDpi();
    void ShowIconSize(int size);
    // The icon list takes the remembered order and hiding, and tells the status bar what it
    // shows.
    void SetUpIconFinding();
    // The listing's status text, with "shown N of M icons" while the icon list leaves some out.
    void ShowStatusWithShown();

    CSplitterWnd m_wndSplitter;       // left pane | the rest
    CSplitterWnd m_wndRightSplitter;  // file list / icon panes
    CSplitterWnd m_wndBottomSplitter; // icon list | sub-icon view
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CBrowser* m_pBrowser = nullptr;
    CFileTreeView* m_pFolderTree = nullptr;
    CSearchDlg* m_pSearchForm = nullptr;
    CFileListView* m_pFileList = nullptr;
    CIconListView* m_pIconList = nullptr;
    CSubIconView* m_pSubIconView = nullptr;
    CImageList m_toolbarImages;
    int m_nDpi = kDesignDpi;
    int m_nIconSize = quarvel::kDefaultIconSize;
    CurrentListing m_listing;
    CString m_strListingStatus;     // the listing's last status text
    bool m_bStatusNarrowed = false; // the status bar tells of icons left out
    SearchToListing m_searchHost{m_listing};
};
