// CFileTreeView: the "Folder" page of the left pane, one folder tree filling it. A selected folder
// ends any search, fills the file list through the main frame and goes into the title; the view
// also serves the frame's Back, Forward, Up and Refresh.
#pragma once

#include "ShellTreeCtrl.h"

// The folder tree of the page: every accepted selection of a folder reaches the main frame.
class CFolderTreeCtrl : public CShellTreeCtrl {
public:
    void OnSelectionChanged(NMHDR* notification, const CString& path) override;
};

class CFileTreeView : public CSingleCtrlView {
    DECLARE_DYNCREATE(CFileTreeView)
public:
    CFileTreeView() : CSingleCtrlView(m_wndTree) {}

    static constexpr UINT kTreeId = 100;

    CFolderTreeCtrl& GetTreeCtrl() { return m_wndTree; }
    bool CanGoBack() const { return m_wndTree.CanGoBack(); }
    bool CanGoForward() const { return m_wndTree.CanGoForward(); }
    bool GoBack() { return m_wndTree.GoBack(); }
    bool GoForward() { return m_wndTree.GoForward(); }
    bool CanGoUp() const;
    void GoUp();
    bool CanRefresh() const { return m_wndTree.m_hWnd != nullptr; }
    void RefreshTree();

    void OnInitialUpdate() override;

protected:
    bool CreateControl() override;
    void OnSearch() {} // the tree's own menu handles it
    DECLARE_MESSAGE_MAP()

private:
    CFolderTreeCtrl m_wndTree;
};
