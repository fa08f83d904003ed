// CFileListCtrl: rows, the folders-first sort, and opening folder rows.
#include "FileListCtrl.h"

#include "ColumnSorter.h"
#include "FileRowText.h"
#include "resource.h"

#include <shellapi.h>

#include <algorithm>
#include <unordered_map>
#include <utility>

IMPLEMENT_DYNAMIC(CFileListCtrl, CTextSortListCtrl)

BEGIN_MESSAGE_MAP(CFileListCtrl, CTextSortListCtrl)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnKeyDown)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

namespace {
constexpr DWORD_PTR kFolderRow = 1;
constexpr DWORD_PTR kFileRow = 0;

struct ColumnSpec {
    const char* heading;
    int width;
    int format;
};
constexpr ColumnSpec kColumns[] = {
    {"Name", 140, LVCFMT_LEFT}, {"In Folder", 200, LVCFMT_LEFT}, {"Size", 60, LVCFMT_RIGHT},
    {"Date", 120, LVCFMT_LEFT}, {"Icons", 80, LVCFMT_LEFT},
};

// Rules of this list beside the text rule: "Size" and "Date" order by the amount and the time
// their texts stand for.
constexpr int BySize = ByText + 1;
constexpr int ByDate = ByText + 2;

int RuleOfColumn(int column) {
    return column == kSizeColumn ? BySize : column == kDateColumn ? ByDate : ByText;
}

// Sorts as CColumnSorter does, but keeps folders and files apart: folders first when ascending,
// files first when descending.
class CFolderFirstSorter : public CColumnSorter {
public:
    using CColumnSorter::CColumnSorter;
    void Sort(bool ascending, int rule) override {
        m_pList->SortItems(&CompareRows, static_cast<DWORD_PTR>(SortParameter(ascending, rule)));
    }

private:
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM sortParameter) {
        const auto* a = reinterpret_cast<const SortPair*>(first);
        const auto* b = reinterpret_cast<const SortPair*>(second);
        const bool aFolder = a->itemData == kFolderRow;
        const bool bFolder = b->itemData == kFolderRow;
        if (aFolder != bFolder) {
            const int folderFirst = aFolder ? -1 : 1;
            return sortParameter >= 0 ? folderFirst : -folderFirst;
        }
        const LPARAM rule = sortParameter >= 0 ? sortParameter : -sortParameter;
        if (rule != BySize && rule != ByDate)
            return Compare(a, b, sortParameter);
        const auto key = rule == BySize ? &SizeSortKey : &DateSortKey;
        const std::uint64_t aKey = key(a->text), bKey = key(b->text);
        const int order = aKey < bKey ? -1 : aKey > bKey ? 1 : 0;
        return sortParameter >= 0 ? order : -order;
    }
};
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

int CFileListCtrl::AppendEntry(const FileEntry& entry, int key) {
    const int row = InsertItem(GetItemCount(), entry.name, I_IMAGENONE);
    if (row < 0)
        return -1;
    SetItemData(row, entry.isFolder ? kFolderRow : kFileRow);
    SetItemText(row, kFolderColumn, entry.folder);
    SetItemText(row, kDateColumn, entry.date);
    if (entry.isFolder) {
        LVITEMA image{};
        image.mask = LVIF_IMAGE;
        image.iItem = row;
        image.iImage = m_rowIcons.ForFolder();
        SetItem(&image);
    } else {
        SetItemText(row, kSizeColumn, entry.size);
    }
    if (key >= 0) {
        if (m_keyOfRow.size() <= static_cast<std::size_t>(row))
            m_keyOfRow.resize(static_cast<std::size_t>(row) + 1, -1);
        m_keyOfRow[static_cast<std::size_t>(row)] = key;
        if (m_rowOfKey.size() <= static_cast<std::size_t>(key))
            m_rowOfKey.resize(static_cast<std::size_t>(key) + 1, -1);
        m_rowOfKey[static_cast<std::size_t>(key)] = row;
    }
    return row;
}

void CFileListCtrl::ShowFileIcons(int row, FileIcons listed, quarvel::IconListReceiver* icons) {
    if (row < 0 || row >= GetItemCount())
        return;
    if (icons)
        listed.icons.HandTo(*icons);
    CString text;
    text.Format("%d", listed.count);
    SetItemText(row, kIconsColumn, text);
    LVITEMA image{};
    image.mask = LVIF_IMAGE;
    image.iItem = row;
    image.iImage = m_rowIcons.ForFile(GetFullPath(row), std::move(listed.rowIcon));
    SetItem(&image);
}

int CFileListCtrl::RowOfKey(int key) const {
    return key >= 0 && static_cast<std::size_t>(key) < m_rowOfKey.size()
               ? m_rowOfKey[static_cast<std::size_t>(key)]
               : -1;
}

void CFileListCtrl::ForgetKeys() {
    m_keyOfRow.clear();
    m_rowOfKey.clear();
}

void CFileListCtrl::RemoveAllRows() {
    DeleteAllItems();
    ForgetKeys();
    const CImageList old = m_rowIcons.Reset(); // goes once the control holds the new list
    SetImageList(m_rowIcons.Handle(), LVSIL_SMALL);
}

bool CFileListCtrl::SortByColumn(int column, bool ascending) {
    {
        CFolderFirstSorter sorter(this, column);
        std::vector<DWORD_PTR> lent;
        if (!m_rowOfKey.empty())
            for (int row = 0; row < GetItemCount(); ++row)
                lent.push_back(GetItemData(row));
        sorter.Sort(ascending, RuleOfColumn(column));
        if (!m_rowOfKey.empty())
            MoveKeys(lent);
    }
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    return true;
}

void CFileListCtrl::MoveKeys(const std::vector<DWORD_PTR>& before) {
    std::unordered_map<DWORD_PTR, std::size_t> rowBefore;
    for (std::size_t row = 0; row < before.size(); ++row)
        rowBefore.emplace(before[row], row);
    std::vector<int> keyOfRow(before.size(), -1);
    std::fill(m_rowOfKey.begin(), m_rowOfKey.end(), -1);
    for (std::size_t row = 0; row < keyOfRow.size(); ++row) {
        const auto found = rowBefore.find(GetItemData(static_cast<int>(row)));
        if (found == rowBefore.end() || found->second >= m_keyOfRow.size())
            continue;
        const int key = m_keyOfRow[found->second];
        keyOfRow[row] = key;
        if (key >= 0)
            m_rowOfKey[static_cast<std::size_t>(key)] = static_cast<int>(row);
    }
    m_keyOfRow = std::move(keyOfRow);
}

CString CFileListCtrl::GetFullPath(int row) const {
    return JoinRowPath(GetItemText(row, kFolderColumn), GetItemText(row, kNameColumn));
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

void CFileListCtrl::OnEditSelectAll() {
    SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); // -1: every row
}

void CFileListCtrl::OnUpdateEditSelectAll(CCmdUI* cmdUI) {
    cmdUI->Enable(GetItemCount() > 0);
}
