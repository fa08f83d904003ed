// CBrowser: the two pages of the left pane and their tab images.
#include "Browser.h"

#include "FileTreeView.h"
#include "SearchDlg.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CBrowser, CTabPaneView)

BEGIN_MESSAGE_MAP(CBrowser, CTabPaneView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CBrowser::OnCreate(LPCREATESTRUCT cs) {
    if (CTabPaneView::OnCreate(cs) == -1)
        return -1;
    constexpr COLORREF kTransparent = RGB(192, 192, 192);
    if (m_tabImages.Create(IDB_TAB_IMAGES, 16, 1, kTransparent))
        SetTabImages(m_tabImages);
    // A page that cannot be made is simply missing.
    AppendTab("Folder", RUNTIME_CLASS(CFileTreeView), GetDocument());
    AppendTab("Search", RUNTIME_CLASS(CSearchDlg), GetDocument());
    return 0;
}
