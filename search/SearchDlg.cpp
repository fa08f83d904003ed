// CSearchDlg: the search form's controls and rules, the start and end of a search, and the
// hand-over of found files to the file list.
#include "SearchDlg.h"

#include "resource.h"

using quarvel::search::SearchFilter;
using quarvel::search::WM_SEARCH_FINISHED;
using quarvel::search::WM_SEARCH_RESULTS;

IMPLEMENT_DYNCREATE(CSearchDlg, CFormView)

BEGIN_MESSAGE_MAP(CSearchDlg, CFormView)
    ON_EN_CHANGE(IDC_LOOK_IN, OnLookInChanged)
    ON_BN_CLICKED(IDC_BROWSE_LOOK_IN, OnBrowse)
    ON_BN_CLICKED(IDC_ALL_FILES, OnAllFilesClicked)
    ON_COMMAND_RANGE(IDC_TYPE_EXE, IDC_TYPE_ANI, OnTypeClicked)
    ON_BN_CLICKED(IDC_FIND, OnFind)
    ON_BN_CLICKED(IDC_STOP, OnStop)
    ON_MESSAGE(WM_SEARCH_FINISHED, OnSearchFinished)
    ON_MESSAGE(WM_SEARCH_RESULTS, OnSearchResults)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg() : CFormView(IDD_SEARCH_FORM) {}

void CSearchDlg::DoDataExchange(CDataExchange* pDX) {
    // Writing the Look-in text raises its change notification in the middle of the exchange.
    m_bWritingControls = !pDX->m_bSaveAndValidate;
    DDX_Control(pDX, IDC_TYPE_SCR, m_btnScr);
    DDX_Control(pDX, IDC_TYPE_OCX, m_btnOcx);
    DDX_Control(pDX, IDC_TYPE_ICO, m_btnIco);
    DDX_Control(pDX, IDC_TYPE_EXE, m_btnExe);
    DDX_Control(pDX, IDC_TYPE_DRV, m_btnDrv);
    DDX_Control(pDX, IDC_TYPE_DLL, m_btnDll);
    DDX_Control(pDX, IDC_TYPE_CUR, m_btnCur);
    DDX_Control(pDX, IDC_TYPE_ANI, m_btnAni);
    DDX_Control(pDX, IDC_ALL_FILES, m_btnAllFiles);
    DDX_Control(pDX, IDC_STOP, m_btnStop);
    DDX_Control(pDX, IDC_FIND, m_btnFind);
    DDX_Control(pDX, IDC_BROWSE_LOOK_IN, m_btnBrowse);
    DDX_Control(pDX, IDC_SEARCH_ANIMATION, m_animation);
    DDX_Text(pDX, IDC_LOOK_IN, m_strLookIn);
    DDX_Check(pDX, IDC_ALL_FILES, m_bAllFiles);
    DDX_Check(pDX, IDC_TYPE_DLL, m_bDll);
    DDX_Check(pDX, IDC_TYPE_DRV, m_bDrv);
    DDX_Check(pDX, IDC_TYPE_EXE, m_bExe);
    DDX_Check(pDX, IDC_TYPE_ICO, m_bIco);
    DDX_Check(pDX, IDC_TYPE_OCX, m_bOcx);
    DDX_Check(pDX, IDC_TYPE_SCR, m_bScr);
    DDX_Check(pDX, IDC_TYPE_CUR, m_bCur);
    DDX_Check(pDX, IDC_TYPE_ANI, m_bAni);
    DDX_Text(pDX, IDC_FOUND_COUNT, m_strCount);
    DDX_Text(pDX, IDC_LAST_FOUND, m_strLastFound);
    DDX_Check(pDX, IDC_INCLUDE_SUBFOLDERS, m_bIncludeSubFolders);
    m_bWritingControls = false;
}

void CSearchDlg::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (!m_bSearching) // opening the clip again would stop it
        m_animation.Open(IDR_SEARCH_AVI);
    ShowSearching(m_bSearching);
}

// ---- The choices

void CSearchDlg::OnLookInChanged() {
    if (!m_bWritingControls)
        UpdateData(TRUE);
    UpdateFindButton();
}

void CSearchDlg::UpdateFindButton() {
    if (m_btnFind.m_hWnd && !m_bSearching)
        m_btnFind.EnableWindow(::GetWindowTextLengthA(::GetDlgItem(m_hWnd, IDC_LOOK_IN)) > 0);
}

void CSearchDlg::OnBrowse() {
    const CString path = BrowseForFolder(m_btnBrowse.m_hWnd);
    if (path.IsEmpty())
        return; // cancelled, or not a file-system folder
    m_strLookIn = path;
    SetDlgItemText(IDC_LOOK_IN, path); // its change notification enables Find
}

void CSearchDlg::OnAllFilesClicked() {
    if (m_btnAllFiles.GetCheck() != BST_CHECKED)
        return;
    for (CButton* box :
         {&m_btnScr, &m_btnOcx, &m_btnIco, &m_btnExe, &m_btnDrv, &m_btnDll, &m_btnCur, &m_btnAni})
        box->SetCheck(BST_CHECKED);
}

void CSearchDlg::OnTypeClicked(UINT id) {
    if (::IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) != BST_CHECKED)
        m_btnAllFiles.SetCheck(BST_UNCHECKED);
}

void CSearchDlg::SetLookInFolder(const char* path) {
    UpdateData(TRUE);
    m_strLookIn = path;
    UpdateData(FALSE);
}

// ---- Start and end

bool CSearchDlg::ReadyToSearch() {
    CString text;
    if (m_strLookIn.IsEmpty()) {
        text.LoadString(IDS_SELECT_SEARCH_FOLDER);
        Warn(text);
        return false;
    }
    const DWORD attributes = GetFileAttributesA(m_strLookIn);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CString format;
        format.LoadString(IDS_SEARCH_FOLDER_MISSING);
        text.Format(format, static_cast<const char*>(m_strLookIn));
        Warn(text);
        return false;
    }
    if (!(m_bAllFiles || m_bDll || m_bDrv || m_bExe || m_bIco || m_bOcx || m_bScr || m_bCur ||
          m_bAni)) {
        text.LoadString(IDS_SELECT_FILE_TYPE);
        Warn(text);
        return false;
    }
    return true;
}

void CSearchDlg::Warn(const char* text) {
    CString caption;
    caption.LoadString(IDS_SELECT_SEARCH_FOLDER);
    MessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void CSearchDlg::OnFind() {
    if (m_bSearching)
        return;
    UpdateData(TRUE);
    if (!ReadyToSearch())
        return;
    if (m_pHost)
        m_pHost->ClearFileList();
    m_bSearching = true;
    ShowSearching(true);
    m_animation.Play(0, static_cast<UINT>(-1), static_cast<UINT>(-1));
    SearchFilter filter;
    filter.allFiles = m_bAllFiles != 0;
    filter.dll = m_bDll != 0;
    filter.drv = m_bDrv != 0;
    filter.exe = m_bExe != 0;
    filter.ico = m_bIco != 0;
    filter.ocx = m_bOcx != 0;
    filter.scr = m_bScr != 0;
    filter.cur = m_bCur != 0;
    filter.ani = m_bAni != 0;
    if (!m_worker.Start(m_hWnd, static_cast<const char*>(m_strLookIn), filter,
                        m_bIncludeSubFolders != 0))
        EndSearch();
}

void CSearchDlg::EndSearch() {
    if (!m_btnStop.m_hWnd || !m_bSearching)
        return;
    m_worker.StopWorker();
    m_strCount.Format("%u", m_worker.FoundCount());
    SetDlgItemText(IDC_FOUND_COUNT, m_strCount);
    HandOverResults();
    m_strLastFound.Empty();
    m_bSearching = false;
    ShowSearching(false);
    m_animation.Stop();
    UpdateData(FALSE);
}

void CSearchDlg::ShowSearching(bool searching) {
    if (!m_btnStop.m_hWnd)
        return;
    const HWND focus = ::GetFocus();
    for (int id : {IDC_TYPE_SCR, IDC_TYPE_OCX, IDC_TYPE_ICO, IDC_TYPE_EXE, IDC_TYPE_DRV,
                   IDC_TYPE_DLL, IDC_TYPE_CUR, IDC_TYPE_ANI, IDC_ALL_FILES, IDC_BROWSE_LOOK_IN,
                   IDC_LOOK_IN, IDC_INCLUDE_SUBFOLDERS})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), !searching);
    m_btnStop.EnableWindow(searching);
    if (searching)
        m_btnFind.EnableWindow(FALSE);
    else
        UpdateFindButton();
    // The keyboard focus must not stay on a control that has just been disabled.
    if (focus && ::IsChild(m_hWnd, focus) && !::IsWindowEnabled(focus)) {
        const HWND next = searching                     ? m_btnStop.m_hWnd
                          : m_btnFind.IsWindowEnabled() ? m_btnFind.m_hWnd
                                                        : ::GetDlgItem(m_hWnd, IDC_LOOK_IN);
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    }
}

// ---- What the worker reports

// A late message of a search that has ended, or of one left behind, is dropped: the end has
// taken what that search found and shown its count.
LRESULT CSearchDlg::OnSearchFinished(WPARAM run, LPARAM) {
    if (FromCurrentRun(run))
        EndSearch();
    return 0;
}

LRESULT CSearchDlg::OnSearchResults(WPARAM run, LPARAM) {
    if (!FromCurrentRun(run))
        return 0;
    m_strLastFound = m_worker.LastFound().c_str();
    m_strCount.Format("%u", m_worker.FoundCount());
    SetDlgItemText(IDC_LAST_FOUND, m_strLastFound);
    SetDlgItemText(IDC_FOUND_COUNT, m_strCount);
    HandOverResults();
    return 0;
}

void CSearchDlg::HandOverResults() {
    if (m_bHandingOver) {
        // Reached while the file list takes a batch: the next batch follows when that one is
        // in, so the files keep the order in which they were found.
        m_bTakeAgain = true;
        return;
    }
    m_bHandingOver = true;
    do {
        m_bTakeAgain = false;
        HandOverBatch();
    } while (m_bTakeAgain);
    m_bHandingOver = false;
}

void CSearchDlg::HandOverBatch() {
    const std::vector<std::string> batch = m_worker.TakePending();
    if (m_pHost && !batch.empty())
        m_pHost->AddFoundFiles(batch);
}

void CSearchDlg::OnDestroy() {
    // The worker reports to this window: it ends before the window goes.
    m_worker.StopWorker();
    m_bSearching = false;
    CFormView::OnDestroy();
}
