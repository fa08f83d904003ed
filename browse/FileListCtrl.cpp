// CFileListCtrl: the rows as records, the folders-first sort, and opening folder rows.
#include "FileListCtrl.h"

#include "FileRowText.h"
#include "engine/DestroyElsewhere.h"
#include "engine/platform/AnsiText.h"
#include "resource.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

IMPLEMENT_DYNAMIC(CFileListCtrl, CTextSortListCtrl)

BEGIN_MESSAGE_MAP(CFileListCtrl, CTextSortListCtrl)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnKeyDown)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMA, OnFindItem)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMW, OnFindItem)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

namespace {
struct ColumnSpec {
    const char* heading;
    int width;
    int format;
};
constexpr ColumnSpec kColumns[] = {
    {"Name", 140, LVCFMT_LEFT}, {"In Folder", 200, LVCFMT_LEFT}, {"Size", 60, LVCFMT_RIGHT},
    {"Date", 120, LVCFMT_LEFT}, {"Icons", 80, LVCFMT_LEFT},      {"Cursors", 80, LVCFMT_LEFT},
};

// The rows' selection and focus, by row, to be put back after the rows moved.
struct RowStates {
    std::vector<int> selected;
    int focused = -1;
};

RowStates ReadRowStates(const CListCtrl& list) {
    RowStates states;
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = list.GetNextItem(row, LVNI_SELECTED))
        states.selected.push_back(row);
    states.focused = list.GetNextItem(-1, LVNI_FOCUSED);
    return states;
}
} // namespace

bool CFileListCtrl::AppendColumns() {
    for (const ColumnSpec& column : kColumns)
        if (AppendColumn(column.heading, column.width, column.format) == -1)
            return false;
    return true;
}

int CFileListCtrl::AddFile(const char* path, quarvel::IconListReceiver* icons) {
    FileEntry entry;
    if (!ReadFileEntry(path, entry))
        return -1;
    const int row = AppendEntry(entry);
    if (row >= 0 && !entry.isFolder)
        ShowFileIcons(row, ReadFileIcons(GetFullPath(row), icons != nullptr, m_rowIconRule), icons);
    return row;
}

std::uint32_t CFileListCtrl::FolderIndex(const CString& folder) {
    const auto [found, added] =
        m_folderIndex.emplace(folder.str(), static_cast<std::uint32_t>(m_folders.size()));
    if (added)
        m_folders.push_back(folder);
    return found->second;
}

int CFileListCtrl::AppendEntry(const FileEntry& entry, int key) {
    Row row;
    row.name = entry.name.str();
    row.folder = FolderIndex(entry.folder);
    row.date = entry.date.str();
    row.isFolder = entry.isFolder;
    if (entry.isFolder)
        row.image = m_rowIcons.ForFolder();
    else
        row.size = entry.size.str();
    row.key = key;
    const int index = static_cast<int>(m_rows.size());
    m_rows.push_back(std::move(row));
    if (key >= 0) {
        if (m_rowOfKey.size() <= static_cast<std::size_t>(key))
            m_rowOfKey.resize(static_cast<std::size_t>(key) + 1, -1);
        m_rowOfKey[static_cast<std::size_t>(key)] = index;
    }
    UpdateItemCount();
    return index;
}

void CFileListCtrl::UpdateItemCount() {
    // The control learns the count when it is next asked anything (WindowProc): rows appended
    // in a run cost it one count.
    m_bCountBehind = true;
}

void CFileListCtrl::TellCount() {
    if (!m_bCountBehind)
        return;
    m_bCountBehind = false;
    SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_rows.size()),
                LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

LRESULT CFileListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != LVM_SETITEMCOUNT)
        TellCount();
    return CTextSortListCtrl::WindowProc(message, wParam, lParam);
}

CFileListCtrl::RowSpan CFileListCtrl::RowsInSight() {
    const int top = GetTopIndex();
    return RowSpan{top, top + GetCountPerPage()};
}

void CFileListCtrl::ShowFileIcons(int row, FileIcons listed, quarvel::IconListReceiver* icons,
                                  RowSpan inSight) {
    if (!IsRow(row))
        return;
    if (icons)
        listed.icons.HandTo(*icons);
    Row& shown = m_rows[Index(row)];
    shown.icons = listed.count;
    shown.cursors = listed.cursors;
    shown.image = m_rowIcons.ForFile(GetFullPath(row), std::move(listed.rowIcon));
    // A row out of sight is drawn from its record when it comes into sight: repainting it now
    // would only cost a trip to the window system per row.
    if (inSight.Holds(row))
        RedrawItems(row, row);
}

int CFileListCtrl::RowOfKey(int key) const {
    return key >= 0 && static_cast<std::size_t>(key) < m_rowOfKey.size()
               ? m_rowOfKey[static_cast<std::size_t>(key)]
               : -1;
}

void CFileListCtrl::ForgetKeys() {
    if (m_rowOfKey.empty())
        return;
    for (Row& row : m_rows)
        row.key = -1;
    m_rowOfKey.clear();
}

void CFileListCtrl::RemoveAllRows() {
    // The control holds no items: emptying it is one call, whatever the count.
    m_bCountBehind = false;
    DeleteAllItems();
    // 10^5 rows take the window a tenth of a second to free: another thread frees them.
    quarvel::DestroyElsewhere(std::exchange(m_rows, {}));
    std::vector<CString>().swap(m_folders);
    m_folderIndex.clear();
    ForgetKeys();
    // The rule remembers the pictures the row icons held.
    m_rowIconRule = RowIconRule();
    const CImageList old = m_rowIcons.Reset(); // goes once the control holds the new list
    SetImageList(m_rowIcons.Handle(), LVSIL_SMALL);
}

bool CFileListCtrl::SortByColumn(int column, bool ascending) {
    // Each row's sort key is made once; the rows then move as a permutation.
    std::vector<std::uint64_t> amounts;
    std::vector<CString> texts;
    const bool byCount = column == kIconsColumn || column == kCursorsColumn;
    const bool byAmount = byCount || column == kSizeColumn || column == kDateColumn;
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const Row& at = m_rows[Index(row)];
        if (column == kSizeColumn)
            amounts.push_back(SizeSortKey(at.size.c_str()));
        else if (column == kDateColumn)
            amounts.push_back(DateSortKey(at.date.c_str()));
        else if (byCount) // a count not known (-1) goes below 0
            amounts.push_back(static_cast<std::uint64_t>(
                std::int64_t{column == kIconsColumn ? at.icons : at.cursors} + 1));
        else
            texts.push_back(GetItemText(row, column));
    }
    std::vector<std::size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    // Stable, as the control's own sort was: rows that compare equal keep their order.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const bool aFolder = m_rows[a].isFolder, bFolder = m_rows[b].isFolder;
        if (aFolder != bFolder)
            return ascending ? aFolder : bFolder;
        int compared = 0;
        if (byAmount)
            compared = amounts[a] < amounts[b] ? -1 : amounts[a] > amounts[b] ? 1 : 0;
        else
            compared = CompareTextNoCase(texts[a], texts[b]);
        return ascending ? compared < 0 : compared > 0;
    });

    const RowStates before = ReadRowStates(*this);
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newRow(m_rows.size());
    for (std::size_t row = 0; row < order.size(); ++row) {
        newRow[order[row]] = static_cast<int>(row);
        sorted.push_back(std::move(m_rows[order[row]]));
    }
    m_rows = std::move(sorted);
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows[row].key >= 0)
            m_rowOfKey[static_cast<std::size_t>(m_rows[row].key)] = static_cast<int>(row);

    // The control keeps the states by row: they move with their rows.
    if (!before.selected.empty())
        SetItemState(-1, 0, LVIS_SELECTED);
    for (int row : before.selected)
        if (IsRow(row))
            SetItemState(newRow[Index(row)], LVIS_SELECTED, LVIS_SELECTED);
    if (IsRow(before.focused))
        SetItemState(newRow[Index(before.focused)], LVIS_FOCUSED, LVIS_FOCUSED);
    Invalidate();

    m_nSortColumn = column;
    m_bSortAscending = ascending;
    return true;
}

CString CFileListCtrl::GetItemText(int row, int column) const {
    if (!IsRow(row))
        return CString();
    const Row& shown = m_rows[Index(row)];
    switch (column) {
    case kNameColumn:
        return CString(shown.name);
    case kFolderColumn:
        return m_folders[shown.folder];
    case kSizeColumn:
        return CString(shown.size);
    case kDateColumn:
        return CString(shown.date);
    case kIconsColumn:
        return shown.icons >= 0 ? CString(std::to_string(shown.icons)) : CString();
    case kCursorsColumn:
        return shown.cursors >= 0 ? CString(std::to_string(shown.cursors)) : CString();
    default:
        return CString();
    }
}

CString CFileListCtrl::GetFullPath(int row) const {
    return IsRow(row)
               ? JoinRowPath(m_folders[m_rows[Index(row)].folder], CString(m_rows[Index(row)].name))
               : CString();
}

int CFileListCtrl::GetTargetRow() const {
    const int focused = GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    return focused >= 0 ? focused : GetNextItem(-1, LVNI_SELECTED);
}

void CFileListCtrl::OpenFolderRow(int row) {
    if (m_pListing && IsFolderRow(row))
        m_pListing->OpenFolder(GetFullPath(row));
}

void CFileListCtrl::OnDblClk(NMHDR* header, LRESULT* result) {
    OpenFolderRow(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
    *result = 0;
}

void CFileListCtrl::OnKeyDown(NMHDR* header, LRESULT* result) {
    if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_RETURN)
        OpenFolderRow(GetTargetRow());
    *result = 0;
}

void CFileListCtrl::OnGetDispInfo(NMHDR* header, LRESULT* result) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    *result = 0;
    if (!IsRow(item.iItem))
        return;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynA(item.pszText, GetItemText(item.iItem, item.iSubItem), item.cchTextMax);
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0)
        item.iImage = m_rows[Index(item.iItem)].image;
}

void CFileListCtrl::OnFindItem(NMHDR* header, LRESULT* result) {
    // The control may ask in either character set, whatever ours is.
    CString text;
    int start = 0;
    UINT flags = 0;
    if (header->code == LVN_ODFINDITEMW) {
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
        start = find->iStart;
        flags = find->lvfi.flags;
        if (find->lvfi.psz)
            text = CString(quarvel::platform::NarrowFromWide(find->lvfi.psz));
    } else {
        const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
        start = find->iStart;
        flags = find->lvfi.flags;
        if (find->lvfi.psz)
            text = find->lvfi.psz;
    }
    *result =
        (flags & (LVFI_STRING | LVFI_PARTIAL))
            ? FindRowByName(start, text, (flags & LVFI_PARTIAL) != 0, (flags & LVFI_WRAP) != 0)
            : -1;
}

int CFileListCtrl::FindRowByName(int start, const char* text, bool partial, bool wrap) const {
    const int count = static_cast<int>(m_rows.size());
    const std::size_t length = std::strlen(text);
    if (count == 0)
        return -1;
    start = start < 0 || start >= count ? 0 : start;
    for (int step = 0; step < count; ++step) {
        const int row = start + step;
        if (row >= count && !wrap)
            break;
        const std::string& name = m_rows[Index(row % count)].name;
        const CString compared(partial ? name.substr(0, length) : name);
        if (compared.CompareNoCase(text) == 0)
            return row % count;
    }
    return -1;
}

void CFileListCtrl::OnEditSelectAll() {
    SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); // -1: every row
}

void CFileListCtrl::OnUpdateEditSelectAll(CCmdUI* cmdUI) {
    cmdUI->Enable(GetItemCount() > 0);
}
