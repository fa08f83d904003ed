// Stand-ins of the panes that have not landed yet (see Standins.h).
#include "Standins.h"

#include "IconListView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CFileTreeView, CView)
IMPLEMENT_DYNCREATE(CFileListView, CView)
IMPLEMENT_DYNCREATE(CSearchDlg, CFormView)

void CFileListView::RemoveAll() {
    if (m_pIconListView)
        m_pIconListView->RemoveAll();
    m_files.clear();
}

CSearchDlg::CSearchDlg() : CFormView(IDD_SEARCH_FORM) {}

void CSearchDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_LOOK_IN, m_strLookIn);
}
