// CBatchSaveDlg: the folder checks of Save Now, the one-file-per-message batch, its end, Stop,
// the log, the folder browser and remembering the folder.
#include "BatchSaveDlg.h"

#include "FolderPath.h"
#include "engine/platform/FileSystem.h"
#include "resource.h"

#include <utility>

namespace pf = quarvel::platform;

BEGIN_MESSAGE_MAP(CBatchSaveDlg, CDialog)
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_COMMAND(IDC_STOP, OnStop)
    ON_COMMAND(IDC_BROWSE_SAVE_FOLDER, OnBrowse)
    ON_EN_CHANGE(IDC_SAVE_FOLDER, OnTargetChanged)
    ON_BN_CLICKED(IDC_FORMAT_ICO, OnTargetChanged)
    ON_BN_CLICKED(IDC_FORMAT_BMP, OnTargetChanged)
    ON_BN_CLICKED(IDC_FORMAT_PNG, OnTargetChanged)
    ON_MESSAGE(WM_SAVE_NEXT, OnSaveNext)
END_MESSAGE_MAP()

namespace {
// The log and the count are shown at most this often while a batch runs: showing log lines
// costs more than saving icons (a log of 400 long lines takes about 20 ms under Wine).
constexpr DWORD kShowEveryMs = 250;
// Brings the next file back after input that came in while a file was being saved.
constexpr UINT_PTR kResumeTimer = 1;

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

CString FormatText(UINT id, const char* argument) {
    CString text;
    text.Format(LoadText(id), argument);
    return text;
}
} // namespace

CBatchSaveDlg::CBatchSaveDlg(SaveFolderSetting setting, CWnd* parent)
    : CDialog(IDD_BATCH_SAVE, parent), m_setting(std::move(setting)) {
    if (m_setting.load)
        m_strFolder = m_setting.load();
}

void CBatchSaveDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SAVE_LOG, m_log);
    DDX_Control(pDX, IDC_SAVE_PROGRESS, m_progress);
    DDX_Text(pDX, IDC_SAVE_FOLDER, m_strFolder);
    DDX_Text(pDX, IDC_SAVE_PROGRESS_TEXT, m_strProgress);
}

BOOL CBatchSaveDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::CheckRadioButton(m_hWnd, IDC_FORMAT_ICO, IDC_FORMAT_PNG, IDC_FORMAT_ICO);
    EnableButton(IDC_STOP, false);
    EnableButton(IDOK, m_nTotal > 0);
    // A batch after a large search can hold more files than a 16-bit range counts.
    m_progress.SetRange32(0, m_nTotal);
    m_progress.SetPos(0);
    // Four hundred lines of long paths outgrow the edit control's default text limit.
    m_log.LimitText(0);
    m_strProgress.Format("totals: %d", m_nTotal);
    UpdateData(FALSE);

    const HINSTANCE instance = AfxGetResourceHandle();
    const std::pair<int, int> sizes[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto& [kind, metric] : sizes) {
        const int size = GetSystemMetrics(metric);
        // A shared icon: the system keeps it for the life of the module.
        HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(IDI_BATCH_SAVE), IMAGE_ICON, size, size,
                                 LR_SHARED);
        SendMessage(WM_SETICON, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(icon));
    }
    return TRUE;
}

// ---- Save Now

void CBatchSaveDlg::OnOK() {
    // Enter reaches here too, also while the button is disabled.
    const bool mayStart =
        m_state == State::Ready || (m_state == State::Incomplete && TargetChanged());
    if (!mayStart || m_nTotal <= 0)
        return;
    UpdateData(TRUE);
    m_nFormat = CheckedFormat();
    if (!PrepareFolder())
        return;
    if (m_setting.store)
        m_setting.store(m_strFolder);
    StartBatch();
}

int CBatchSaveDlg::CheckedFormat() const {
    return ::IsDlgButtonChecked(m_hWnd, IDC_FORMAT_BMP) == BST_CHECKED   ? kBmpFormat
           : ::IsDlgButtonChecked(m_hWnd, IDC_FORMAT_PNG) == BST_CHECKED ? kPngFormat
                                                                         : kIcoFormat;
}

bool CBatchSaveDlg::TargetChanged() const {
    const CString folder = GetDlgItem(IDC_SAVE_FOLDER)->GetWindowText();
    return folder.CompareNoCase(m_strFolder) != 0 || CheckedFormat() != m_nFormat;
}

void CBatchSaveDlg::OnTargetChanged() {
    // Saving the same files into the same place again would fail the same way.
    if (m_state == State::Incomplete)
        EnableButton(IDOK, TargetChanged());
}

bool CBatchSaveDlg::PrepareFolder() {
    const CString caption = LoadText(IDS_SAVE_CAPTION);
    if (m_strFolder.IsEmpty()) {
        MessageBox(LoadText(IDS_SELECT_SAVE_FOLDER), caption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (pf::GetPathKind(m_strFolder) == pf::PathKind::Folder)
        return true;
    // A file of that name takes this road too, and fails to be created.
    if (MessageBox(FormatText(IDS_ASK_CREATE_FOLDER, m_strFolder), caption,
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (CreateFolderPath(m_strFolder))
        return true;
    MessageBox(FormatText(IDS_CREATE_FOLDER_FAILED, m_strFolder), caption, MB_OK | MB_ICONSTOP);
    return false;
}

// ---- The batch

void CBatchSaveDlg::StartBatch() {
    EnableButton(IDC_STOP, true);
    EnableButton(IDOK, false);
    // A batch run again after files were not saved starts with an empty log and count.
    m_nDone = m_nSaved = 0;
    m_nLogEntries = 0;
    m_strLogQueue.Empty();
    m_bLogRestarts = false;
    m_log.SetWindowText("");
    m_progress.SetPos(0);
    m_state = State::Running;
    m_bStopRequested = false;
    BeginSave(m_strFolder);
    PostNext();
}

void CBatchSaveDlg::PostNext() {
    m_bNextPosted = PostMessage(WM_SAVE_NEXT) != FALSE;
}

void CBatchSaveDlg::ScheduleNext() {
    // A posted message is taken before the input in the queue, so the next file would starve a
    // click on Stop or a drag of the window; a timer message comes after them.
    if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 &&
        ::SetTimer(m_hWnd, kResumeTimer, USER_TIMER_MINIMUM, nullptr))
        return;
    PostNext();
}

void CBatchSaveDlg::OnTimer(UINT_PTR id) {
    if (id != kResumeTimer)
        return;
    ::KillTimer(m_hWnd, kResumeTimer);
    if (m_state == State::Running)
        PostNext();
}

LRESULT CBatchSaveDlg::OnSaveNext(WPARAM, LPARAM) {
    if (!m_bNextPosted)
        return 0;
    m_bNextPosted = false;
    if (m_state != State::Running || m_bStopRequested || m_nDone >= m_nTotal)
        return 0;
    CString fileName;
    const int saved = SaveNext(m_strFolder, fileName);
    ++m_nDone;
    if (saved)
        ++m_nSaved;
    QueueLogLine(FormatText(saved ? IDS_SAVE_OK : IDS_SAVE_FAILED, fileName) + "\r\n");
    if (m_nDone < m_nTotal) {
        if (GetTickCount() - m_dwShownAt >= kShowEveryMs)
            ShowProgress();
        ScheduleNext();
        return 0;
    }
    FinishBatch();
    return 0;
}

void CBatchSaveDlg::FinishBatch() {
    const bool allSaved = m_nSaved == m_nTotal;
    m_state = allSaved ? State::Finished : State::Incomplete;
    EnableButton(IDC_STOP, false);
    EnableButton(IDOK, false);
    const CString last = LastLogLine();
    if (allSaved) {
        if (!last.IsEmpty())
            m_strLogQueue += last + "\r\n";
        ShowProgress();
        EndSave(m_strFolder);
        EndDialog(IDOK);
        return;
    }
    // The log that names the failures stays to be read, ending with their number: a line
    // that never starts the log afresh.
    CString summary;
    summary.Format(LoadText(IDS_SAVE_NOT_ALL), m_nTotal - m_nSaved, m_nTotal);
    m_strLogQueue += summary + "\r\n";
    if (!last.IsEmpty())
        m_strLogQueue += last + "\r\n";
    ShowProgress(m_nSaved);
    EndSave(m_strFolder);
}

void CBatchSaveDlg::QueueLogLine(const CString& line) {
    if (m_nLogEntries >= kMaxLogEntries) {
        m_strLogQueue = line;
        m_bLogRestarts = true;
        m_nLogEntries = 1;
    } else {
        m_strLogQueue += line;
        ++m_nLogEntries;
    }
}

void CBatchSaveDlg::ShowProgress(int count) {
    if (!m_strLogQueue.IsEmpty()) {
        if (m_bLogRestarts) {
            m_log.SetWindowText(m_strLogQueue);
        } else {
            const int end = m_log.GetWindowTextLength();
            m_log.SetSel(end, end, TRUE);
            m_log.ReplaceSel(m_strLogQueue);
        }
        m_strLogQueue.Empty();
        m_bLogRestarts = false;
        m_log.SendMessage(EM_SCROLLCARET);
        m_log.SendMessage(EM_LINESCROLL, 0, 1);
    }
    m_progress.SetPos(m_nDone);
    m_strProgress.Format("%d / %d", count < 0 ? m_nDone : count, m_nTotal);
    SetDlgItemText(IDC_SAVE_PROGRESS_TEXT, m_strProgress);
    // Painting waits for an empty queue, which a running batch never leaves.
    UpdateWindow();
    m_dwShownAt = GetTickCount();
}

void CBatchSaveDlg::OnStop() {
    if (m_state != State::Running)
        return;
    StopBatch();
    EnableButton(IDC_STOP, false);
    EnableButton(IDOK, false);
}

void CBatchSaveDlg::StopBatch() {
    if (m_state != State::Running)
        return;
    // A WM_SAVE_NEXT still in the queue finds the request and saves nothing.
    m_bStopRequested = true;
    m_state = State::Stopped;
    ::KillTimer(m_hWnd, kResumeTimer);
    ShowProgress();
    EndSave(m_strFolder);
}

// ---- Leaving

void CBatchSaveDlg::OnCancel() {
    StopBatch(); // the files saved so far stay
    CDialog::OnCancel();
}

void CBatchSaveDlg::OnClose() {
    // The folder last read by Save Now or chosen with the browse button; Exit stores nothing.
    if (!m_strFolder.IsEmpty() && m_setting.store)
        m_setting.store(m_strFolder);
    Default(); // becomes IDCANCEL
}

// ---- Browse

void CBatchSaveDlg::OnBrowse() {
    const CString path = BrowseForFolder(::GetDlgItem(m_hWnd, IDC_BROWSE_SAVE_FOLDER));
    if (path.IsEmpty())
        return;
    m_strFolder = path;
    SetDlgItemText(IDC_SAVE_FOLDER, m_strFolder);
}

void CBatchSaveDlg::EnableButton(int id, bool enable) {
    HWND button = ::GetDlgItem(m_hWnd, id);
    if (!enable && button == ::GetFocus())
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, FALSE);
    ::EnableWindow(button, enable);
}
