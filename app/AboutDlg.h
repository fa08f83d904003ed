// CAboutDlg: the About box (template IDD_ABOUTBOX): icon, version line, the web-page and e-mail
// links, OK.
#pragma once

#include "Framework.h"
#include "LinkStatic.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;

    CLinkStatic m_webLink;  // control IDC_WEB_LINK
    CLinkStatic m_mailLink; // control IDC_EMAIL_LINK

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
