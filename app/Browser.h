// CBrowser: the main window's left pane, a tab view with the pages "Folder" (the folder tree
// view, CFileTreeView) and "Search" (the search form, CSearchDlg), each with a 16 x 16 image.
#pragma once

#include "TabPaneView.h"

class CBrowser : public CTabPaneView {
    DECLARE_DYNCREATE(CBrowser)
public:
    static constexpr int kFolderPage = 0;
    static constexpr int kSearchPage = 1;
    void OnDraw(HDC) override {} // the tab control draws itself

protected:
    int OnCreate(LPCREATESTRUCT cs);
    DECLARE_MESSAGE_MAP()

private:
    CImageList m_tabImages; // bitmap 180: one 16 x 16 image per page
};
