// Stand-in for the pane whose layer has not landed yet: the "Search" page of the left pane. It
// keeps the class name and the operations the main frame uses, and shows the form's template.
// When the search layer lands, this file goes and the frame includes the real one.
#pragma once

#include "Framework.h"

// The search form on its dialog template, with the Look-in text bound to its edit box.
class CSearchDlg : public CFormView {
    DECLARE_DYNCREATE(CSearchDlg)
public:
    CSearchDlg();
    void EndSearch() { ++m_endSearchCount; }
    CString m_strLookIn;
    int m_endSearchCount = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
