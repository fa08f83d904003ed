// Stand-ins of the panes that have not landed yet (see Standins.h).
#include "Standins.h"

#include "IconListView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CFileTreeView, CView)
IMPLEMENT_DYNCREATE(CFileListView, CView)
IMPLEMENT_DYNCREATE(CSearchDlg, CFormView)
IMPLEMENT_DYNCREATE(CBrowser, CView)

void CFileListView::RemoveAll() {
    if (m_pIconListView)
        m_pIconListView->RemoveAll();
    m_files.clear();
}

CSearchDlg::CSearchDlg() : CFormView(IDD_SEARCH_FORM) {}

void CSearchDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_LOOK_IN, m_strLookIn);
}

BEGIN_MESSAGE_MAP(CBrowser, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

int CBrowser::OnCreate(LPCREATESTRUCT cs) {
    if (CView::OnCreate(cs) == -1)
        return -1;
    AppendTab(RUNTIME_CLASS(CFileTreeView));
    AppendTab(RUNTIME_CLASS(CSearchDlg));
    return 0;
}

bool CBrowser::AppendTab(const CRuntimeClass* viewClass) {
    CCreateContext context;
    context.m_pNewViewClass = viewClass;
    context.m_pCurrentDoc = GetDocument();
    context.m_pCurrentFrame = GetParentFrame();
    CObject* object = viewClass->CreateObject();
    if (!object)
        return false;
    auto* view = static_cast<CView*>(object);
    RECT client;
    GetClientRect(&client);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, client, this, 0,
                      &context))
        return false;
    m_pCurrentView = view;
    m_pages.push_back(view);
    if (m_pages.size() > 1) {
        view->EnableWindow(FALSE);
        view->ShowWindow(SW_HIDE);
    }
    return true;
}

void CBrowser::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    for (CView* page : m_pages)
        page->MoveWindow(0, 0, cx, cy);
}

CView* CBrowser::GetTabWindow(int index) const {
    return index >= 0 && index < static_cast<int>(m_pages.size())
               ? m_pages[static_cast<size_t>(index)]
               : nullptr;
}

void CBrowser::Show(int index) {
    for (CView* page : m_pages) {
        page->EnableWindow(FALSE);
        page->ShowWindow(SW_HIDE);
    }
    CView* page = m_pages[static_cast<size_t>(index)];
    page->EnableWindow(TRUE);
    page->ShowWindow(SW_SHOWNORMAL);
    page->SetFocus();
    m_pCurrentView = page;
    m_nCurrent = index;
}

void CBrowser::SelectTab(int index) {
    if (index >= 0 && index < static_cast<int>(m_pages.size()) && index != m_nCurrent)
        Show(index);
}

void CBrowser::SelectTabOfClass(const CRuntimeClass* viewClass) {
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i]->IsKindOf(viewClass)) {
            Show(static_cast<int>(i));
            return;
        }
    }
}
