// Stand-ins for the panes whose own layers have not landed yet: the two pages of the left pane
// ("Folder" and "Search") and the file list. Each keeps the class name and the operations the main
// frame uses, and shows an empty pane. When a pane's layer lands, its class here is deleted and the
// frame includes the real one.
#pragma once

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

class CIconListView;

class CFileListView : public CView {
    DECLARE_DYNCREATE(CFileListView)
public:
    void OnDraw(HDC) override {}
    void SetIconListView(CIconListView* view) { m_pIconListView = view; }
    void SetFolderTree(CFileTreeView* view) {
        if (view)
            m_pFolderTree = view;
    }
    void RemoveAll();
    void AddFile(const char* path) { m_files.push_back(path); }
    void Resort() { ++m_resortCount; }
    CIconListView* m_pIconListView = nullptr;
    CFileTreeView* m_pFolderTree = nullptr;
    std::vector<CString> m_files;
    int m_resortCount = 0;
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
