// CBrowser: the main window's left pane, a tab view with the pages "Folder" (the folder tree
// view, CFileTreeView) and "Search" (the search form, CSearchDlg), each with an image 16 pixels
// square at 96 DPI (drawn larger for higher DPIs).
#pragma once

#include "TabPaneView.h"

class CBrowser : public CTabPaneView {
    DECLARE_DYNCREATE(CBrowser)
public:
    static constexpr int kFolderPage = 0;
    static constexpr int kSearchPage = 1;
    void OnDraw(HDC) override {} // the tab control draws itself
    void SetDpi(int dpi) override;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    DECLARE_MESSAGE_MAP()

private:
    CImageList m_tabImages; // one image per page
};
