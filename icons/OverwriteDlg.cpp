// COverwriteDlg: caption and question on the template's text, four buttons, four answers.
#include "OverwriteDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(COverwriteDlg, CDialog)
    ON_COMMAND(IDC_YES_TO_ALL, OnYesToAll)
    ON_COMMAND(IDC_NO_TO_ALL, OnNoToAll)
END_MESSAGE_MAP()

COverwriteDlg::COverwriteDlg(const char* caption, const char* message, CWnd* parent)
    : CDialog(IDD_OVERWRITE, parent), m_strCaption(caption), m_strMessage(message) {}

COverwriteDlg::Answer COverwriteDlg::Ask() {
    switch (DoModal()) {
    case kYes:
        return kYes;
    case kYesToAll:
        return kYesToAll;
    case kNoToAll:
        return kNoToAll;
    default:
        return kNo; // what is not asked is not replaced
    }
}

BOOL COverwriteDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    return TRUE;
}

void COverwriteDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_OVERWRITE_TEXT, m_strMessage);
}
