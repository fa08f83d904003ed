// CFileListView: creation, filling, and the row menu.
#include "FileListView.h"

#include <algorithm>
#include <chrono>

IMPLEMENT_DYNCREATE(CFileListView, CSingleCtrlView)

BEGIN_MESSAGE_MAP(CFileListView, CSingleCtrlView)
    ON_WM_CONTEXTMENU()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// The list shows the row icons that the control owns and replaces: it must never destroy them.
// Its rows are the control's own records (owner data).
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                             WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                             LVS_OWNERDATA;
} // namespace

CFileListView::CFileListView()
    : CSingleCtrlView(m_wndList), m_rowMenu(*this, [this] { return RowTarget(); }) {}

bool CFileListView::CreateControl() {
    if (!m_wndList.Create(kListStyle, RECT{0, 0, 0, 0}, this, AFX_IDW_PANE_FIRST))
        return false;
    m_wndList.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    m_wndList.SetImageList(m_wndList.GetRowIcons(), LVSIL_SMALL);
    return m_wndList.AppendColumns();
}

void CFileListView::SetDpi(int dpi) {
    const int laidOutAt = GetDpi();
    CSingleCtrlView::SetDpi(dpi);
    m_wndList.ScaleColumnWidths(laidOutAt, dpi);
}

void CFileListView::SetListing(ListingRequests* listing) {
    m_pListing = listing;
    m_wndList.SetListing(listing);
    m_rowMenu.SetListing(listing);
}

// ---- Filling

void CFileListView::RemoveAll() {
    StopFill();
    m_wndList.RemoveAllRows();
}

void CFileListView::FillFromFolder(const char* folder) {
    StopFill();
    StartFill(true);
    m_fill.StartFolder(folder ? folder : "", m_pIcons != nullptr);
}

void CFileListView::AddFiles(const std::vector<std::string>& paths) {
    if (paths.empty())
        return;
    if (!m_bFilling)
        StartFill(false);
    m_fill.AddFiles(paths, m_pIcons != nullptr);
}

void CFileListView::StartFill(bool folder) {
    m_bFilling = true;
    m_bFolderFill = folder;
    m_bSorted = false;
    m_waiting = FillResults();
    // Found files handed over after an earlier batch was shown count on from it.
    if (folder || m_wndList.GetItemCount() == 0) {
        m_progress = FillProgress();
        m_handedIcons = 0;
    }
    m_lastReport = GetTickCount();
    m_lastIconHandOver = m_lastReport;
    m_lastRowAppend = m_lastReport;
    m_bCaughtUp = false;
    if (m_hWnd)
        SetTimer(kFillTimer, kFillTimerMs);
}

void CFileListView::StopFill() {
    m_fill.Stop();
    m_waiting = FillResults();
    m_heldIcons.Clear();
    m_wndList.ForgetKeys();
    m_lastRowKey = -1;
    if (m_bFilling && m_hWnd)
        KillTimer(kFillTimer);
    m_bFilling = false;
}

void CFileListView::OnTimer(UINT_PTR id) {
    if (id == kFillTimer)
        TakeFillSlice();
    else
        CSingleCtrlView::OnTimer(id);
}

void CFileListView::TakeFillSlice() {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::duration<double, std::milli>(kSliceMs);
    m_fill.Take(m_waiting);
    // Rows wait for their turn but for the first screen, the fill's end and a folder's sort.
    const bool rowsDue = m_wndList.RowCount() < kFirstScreenRows || m_waiting.idle ||
                         m_waiting.folderListed || GetTickCount() - m_lastRowAppend >= kRowAppendMs;
    const bool addsRows = rowsDue && !m_waiting.rows.empty();
    // A folder is sorted once, in a slice of its own, when all its rows are in.
    const bool sorts = m_bFolderFill && !m_bSorted && m_waiting.folderListed && !addsRows;
    // Appended rows reach the control as one count, which repaints only the new rows in sight.
    // The sort moves every row: one repaint for all. Icon counts and row icons change single
    // rows, which repaint alone.
    if (sorts)
        m_wndList.SendMessage(WM_SETREDRAW, FALSE);
    while (addsRows && !m_waiting.rows.empty() && Clock::now() < end) {
        const FillResults::Row& row = m_waiting.rows.front();
        if (m_wndList.AppendEntry(row.entry, row.key) >= 0 && !row.entry.isFolder)
            ++m_progress.files;
        m_lastRowKey = row.key;
        m_waiting.rows.pop_front();
    }
    if (addsRows && m_waiting.rows.empty()) // a run cut short by the slice goes on next slice
        m_lastRowAppend = GetTickCount();
    if (sorts) {
        m_wndList.Resort();
        m_bSorted = true;
    }
    // A file's icons follow its row, which must be in the list, and in its place, first.
    const bool rowsSettled = !sorts && (m_bSorted || !m_bFolderFill);
    const CFileListCtrl::RowSpan inSight = rowsSettled && !m_waiting.icons.empty()
                                               ? m_wndList.RowsInSight()
                                               : CFileListCtrl::RowSpan();
    while (rowsSettled && !m_waiting.icons.empty() && m_waiting.icons.front().key <= m_lastRowKey &&
           Clock::now() < end) {
        FillResults::Icons& icons = m_waiting.icons.front();
        m_progress.icons += icons.icons.count;
        ++m_progress.filesRead;
        m_wndList.ShowFileIcons(m_wndList.RowOfKey(icons.key), std::move(icons.icons),
                                m_pIcons ? &m_heldIcons : nullptr, inSight);
        m_waiting.icons.pop_front();
    }
    if (sorts) {
        m_wndList.SendMessage(WM_SETREDRAW, TRUE);
        m_wndList.Invalidate();
    }

    // Found files come in batches, and the worker may catch up between two: their fill ends
    // once it has stayed caught up for a while, so that the icon list is not handed every
    // icon, and does not lay out all its items, for each batch.
    const bool caughtUp = m_waiting.idle && m_waiting.rows.empty() && m_waiting.icons.empty();
    if (!caughtUp)
        m_bCaughtUp = false;
    else if (!m_bCaughtUp) {
        m_bCaughtUp = true;
        m_caughtUpAt = GetTickCount();
    }
    const bool ended = caughtUp && (m_bFolderFill || GetTickCount() - m_caughtUpAt >= kCaughtUpMs);
    HandOverIcons(ended);
    if (ended) {
        // The count columns sort by what only the end knows.
        if (m_bFolderFill && (m_wndList.GetSortColumn() == kIconsColumn ||
                              m_wndList.GetSortColumn() == kCursorsColumn))
            m_wndList.Resort();
        KillTimer(kFillTimer);
        m_bFilling = false;
        m_wndList.ForgetKeys();
        ReportFill(true);
    } else if (GetTickCount() - m_lastReport >= kProgressMs) {
        ReportFill(false);
    }
}

void CFileListView::HandOverIcons(bool all) {
    if (!m_pIcons || m_heldIcons.Size() == 0)
        return;
    // The icon list makes the picture of every icon it shows while it paints: the first
    // screen fills a few icons at a time, so that no paint makes many.
    const bool firstScreen = m_handedIcons < kFirstScreenIcons;
    const DWORD wait = std::max(kIconHandOverMs, static_cast<DWORD>(m_handedIcons / 1000) *
                                                     kIconHandOverMsPerThousand);
    if (!all && !firstScreen && GetTickCount() - m_lastIconHandOver < wait)
        return;
    m_lastIconHandOver = GetTickCount();
    m_handedIcons += m_heldIcons.HandFirstTo(*m_pIcons, all || !firstScreen ? m_heldIcons.Size()
                                                                            : kFirstScreenStep);
}

void CFileListView::ReportFill(bool finished) {
    m_lastReport = GetTickCount();
    m_progress.finished = finished;
    if (m_pListing)
        m_pListing->FillProgressed(m_progress);
}

void CFileListView::OnDestroy() {
    // The worker reads for this window: it ends before the window goes.
    StopFill();
    m_fill.End();
    CSingleCtrlView::OnDestroy();
}

// ---- Row menu

bool CFileListView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return m_rowMenu.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           m_wndList.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           CSingleCtrlView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

FolderPopupTarget CFileListView::RowTarget() const {
    const int row = m_wndList.GetTargetRow();
    if (row < 0)
        return FolderPopupTarget{};
    const bool folder = m_wndList.IsFolderRow(row);
    return FolderPopupTarget{m_wndList.GetFullPath(row), true, folder, folder};
}

void CFileListView::OnContextMenu(HWND, POINT at) {
    const int row = m_wndList.GetTargetRow();
    if (row < 0)
        return;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: under the row the menu is for.
        RECT rect{};
        m_wndList.GetItemRect(row, &rect, LVIR_LABEL);
        at = POINT{rect.left, rect.bottom};
        m_wndList.ClientToScreen(&at);
    }
    m_rowMenu.Show(at);
}
