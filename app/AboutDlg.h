// CAboutDlg: the About box (template IDD_ABOUTBOX): icon, version line, web and e-mail texts, OK.
#pragma once

#include "Framework.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
};
