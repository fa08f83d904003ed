// The left pane's pages as plain views, standing in for the folder tree view and the search
// form in these tests.
#pragma once

#include "Framework.h"

class CFileTreeView : public CView {
    DECLARE_DYNCREATE(CFileTreeView)
public:
    void OnDraw(HDC) override {}
};

class CSearchDlg : public CView {
    DECLARE_DYNCREATE(CSearchDlg)
public:
    void OnDraw(HDC) override {}
};
