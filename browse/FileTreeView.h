// CFileTreeView: the "Folder" page of the left pane, one folder tree filling it. Every selection,
// and a click on the folder already selected, goes to the current listing, which decides what
// it shows; the view tells the frame whether Back, Forward, Up and Refresh can be done.
#pragma once

#include "ShellTreeCtrl.h"

// The folder tree of the page: its selections become folder choices of the listing.
class CFolderTreeCtrl : public CShellTreeCtrl {
public:
    void OnSelectionChanged(NMHDR* notification, const CString& path) override;

protected:
    // A click on the item already selected changes no selection: it is reported on its own.
    void OnLButtonDown(UINT flags, POINT at);
    DECLARE_MESSAGE_MAP()
};

class CFileTreeView : public CSingleCtrlView {
    DECLARE_DYNCREATE(CFileTreeView)
public:
    CFileTreeView() : CSingleCtrlView(m_wndTree) {}

    static constexpr UINT kTreeId = 100;

    CFolderTreeCtrl& GetTreeCtrl() { return m_wndTree; }
    // Where the tree's selections go (not owned).
    void SetListing(ListingRequests* listing) { m_wndTree.SetListing(listing); }
    bool CanGoBack() const { return m_wndTree.CanGoBack(); }
    bool CanGoForward() const { return m_wndTree.CanGoForward(); }
    bool CanGoUp() const;
    bool CanRefresh() const { return m_wndTree.m_hWnd != nullptr; }

    void OnInitialUpdate() override;

protected:
    bool CreateControl() override;
    void OnSearch() {} // the tree's own menu handles it
    DECLARE_MESSAGE_MAP()

private:
    CFolderTreeCtrl m_wndTree;
};
