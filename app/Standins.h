// Stand-ins for the panes whose own layers have not landed yet: the two pages of the left pane
// ("Folder" and "Search"). Each keeps the class name and the operations the main
// frame uses, and shows an empty pane. When a pane's layer lands, its class here is deleted and the
// frame includes the real one.
#pragma once

#include "BrowseLinks.h"
#include "Framework.h"

#include <vector>

class CFileTreeView : public CView {
    DECLARE_DYNCREATE(CFileTreeView)
public:
    void OnDraw(HDC) override {}
    bool CanGoBack() const { return m_history.back; }
    bool CanGoForward() const { return m_history.forward; }
    bool CanGoUp() const { return m_history.up; }
    bool CanRefresh() const { return m_hWnd != nullptr; }
    bool GoBack() { return Step("back"); }
    bool GoForward() { return Step("forward"); }
    void GoUp() { Step("up"); }
    void RefreshTree() { Step("refresh"); }
    // The tree control that the file list moves; none until the tree lands.
    FolderSelector* GetTreeCtrl() { return nullptr; }
    // What the tree would answer; set by whoever drives the stand-in.
    struct {
        bool back = false, forward = false, up = false;
    } m_history;
    std::vector<CString> m_steps;

private:
    bool Step(const char* what) {
        m_steps.push_back(what);
        return true;
    }
};

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
