// The test pages' run-time classes.
#include "BrowserPages.h"

IMPLEMENT_DYNCREATE(CFileTreeView, CView)
IMPLEMENT_DYNCREATE(CSearchDlg, CView)
