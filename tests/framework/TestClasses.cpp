// The framework tests' application, document, view and frame.
#include "TestClasses.h"

std::vector<std::string>& CallLog() {
    static std::vector<std::string> log;
    return log;
}

CTestApp theTestApp;

CTestApp::CTestApp() {
    m_strAppName = "Framework Tests";
    SetRegistryKey("Quarvel Framework Tests");
}

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_TEST_HANDLED_BY_APP, OnHandledByApp)
    ON_COMMAND(ID_TEST_HANDLED_BY_VIEW, OnHandledByView)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_TEST_HANDLED_BY_DOC, OnHandledByDoc)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_TEST_HANDLED_BY_VIEW, OnHandledByView)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
    ON_COMMAND(ID_TEST_CHECKED, OnHandledChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_HANDLED_BY_FRAME, OnHandledByFrame)
    ON_COMMAND(ID_TEST_HANDLED_BY_VIEW, OnHandledByViewInFrame)
END_MESSAGE_MAP()

int CTestFrame::OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    static const UINT buttons[] = {ID_TEST_HANDLED_BY_VIEW, ID_TEST_HANDLED_BY_FRAME, ID_SEPARATOR,
                                   ID_TEST_NO_HANDLER, ID_TEST_DISABLED};
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                CBRS_FLYBY) ||
        !m_toolBar.SetButtons(buttons, 5))
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL};
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 4))
        return -1;
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    return 0;
}

TestDocumentWindow::TestDocumentWindow() {
    CallLog().clear();
    docTemplate = new CSingleDocTemplate(IDR_TEST_FRAME, RUNTIME_CLASS(CTestDoc),
                                         RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestView));
    doc = static_cast<CTestDoc*>(docTemplate->OpenDocumentFile(nullptr));
    if (doc)
        for (CView* view : doc->GetViews())
            frame = static_cast<CTestFrame*>(view->GetParentFrame());
}

TestDocumentWindow::~TestDocumentWindow() {
    if (frame && IsWindow(frame->m_hWnd))
        frame->DestroyWindow();
    delete docTemplate;
    if (AfxGetApp()->m_pMainWnd == frame)
        AfxGetApp()->m_pMainWnd = nullptr;
}
