// CAboutDlg: a plain modal dialog; OK closes it and nothing is stored.
#include "AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}
