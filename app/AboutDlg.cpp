// CAboutDlg: binds the two links and gives them the product's addresses; nothing is stored.
#include "AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_WEB_LINK, m_webLink);
    DDX_Control(pDX, IDC_EMAIL_LINK, m_mailLink);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString address;
    address.LoadString(IDS_WEB_PAGE_ADDRESS);
    m_webLink.SetTarget(address);
    address.LoadString(IDS_SUPPORT_EMAIL);
    m_mailLink.SetTarget("mailto:" + address);
    return TRUE;
}
