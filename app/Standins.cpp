// Stand-in of the search form (see Standins.h).
#include "Standins.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CSearchDlg, CFormView)

CSearchDlg::CSearchDlg() : CFormView(IDD_SEARCH_FORM) {}

void CSearchDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_LOOK_IN, m_strLookIn);
}
