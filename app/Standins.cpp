// Stand-ins of the panes that have not landed yet (see Standins.h).
#include "Standins.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CFileTreeView, CView)
IMPLEMENT_DYNCREATE(CSearchDlg, CFormView)

CSearchDlg::CSearchDlg() : CFormView(IDD_SEARCH_FORM) {}

void CSearchDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_LOOK_IN, m_strLookIn);
}
