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
    // The tab images come with the DPI the base class sets.
    if (CTabPaneView::OnCreate(cs) == -1)
        return -1;
    // A page that cannot be made is simply missing.
    AppendTab("Folder", RUNTIME_CLASS(CFileTreeView), GetDocument());
    AppendTab("Search", RUNTIME_CLASS(CSearchDlg), GetDocument());
    return 0;
}

void CBrowser::SetDpi(int dpi) {
    static const SizedPicture kStrips[] = {{16, IDB_TAB_IMAGES},
                                           {20, IDB_TAB_IMAGES_20},
                                           {24, IDB_TAB_IMAGES_24},
                                           {32, IDB_TAB_IMAGES_32}};
    constexpr COLORREF kTransparent = RGB(192, 192, 192);
    const SizedPicture& strip = AfxChoosePictureSize(kStrips, AfxScaleToDpi(16, dpi));
    CImageList images;
    if (images.Create(strip.resourceId, strip.side, 1, kTransparent)) {
        // The control lets go of the old list before it is destroyed.
        SetTabImages(images);
        m_tabImages.DeleteImageList();
        m_tabImages.Attach(images.Detach());
    }
    CTabPaneView::SetDpi(dpi);
}
