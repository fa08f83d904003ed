// Small windows, views, document and application used by the framework tests. Handlers append
// what ran to a shared log, so a test can check which handler ran and in what order.
#pragma once

#include "Framework.h"
#include "TestResources.h"

#include <string>
#include <vector>

std::vector<std::string>& CallLog();

class CTestApp : public CWinApp {
public:
    CTestApp();
    DECLARE_MESSAGE_MAP()
protected:
    void OnHandledByApp() { CallLog().push_back("app"); }
    void OnHandledByView() { CallLog().push_back("app:view-command"); }
};

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
protected:
    void OnHandledByDoc() { CallLog().push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};

// A view that handles one command and enables/disables/checks commands by flags.
class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    void OnDraw(HDC) override {}
    void OnInitialUpdate() override {
        ++m_initialUpdates;
        CView::OnInitialUpdate();
    }
    int m_initialUpdates = 0;

protected:
    void OnHandledByView() { CallLog().push_back("view"); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    void OnHandledChecked() {}
    void OnDisabled() { CallLog().push_back("disabled ran"); }
    DECLARE_MESSAGE_MAP()
};

// A frame with its own command and the standard bars.
class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnHandledByFrame() { CallLog().push_back("frame"); }
    void OnHandledByViewInFrame() { CallLog().push_back("frame:view-command"); }
    DECLARE_MESSAGE_MAP()
};

// Opens a new document in a CTestFrame with CTestView, like an application's start-up, and closes
// it.
struct TestDocumentWindow {
    TestDocumentWindow();
    ~TestDocumentWindow();
    CSingleDocTemplate* docTemplate;
    CTestFrame* frame = nullptr;
    CTestDoc* doc = nullptr;
};
