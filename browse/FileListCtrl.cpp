// CFileListCtrl: rows, the folders-first sort, and opening folder rows.
#include "FileListCtrl.h"

#include "ColumnSorter.h"
#include "FileRowText.h"

#include <shellapi.h>

IMPLEMENT_DYNAMIC(CFileListCtrl, CTextSortListCtrl)

BEGIN_MESSAGE_MAP(CFileListCtrl, CTextSortListCtrl)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnKeyDown)
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

// Sorts by column text as CColumnSorter does, but keeps folders and files apart: folders first
// when ascending, files first when descending.
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
        return Compare(a, b, sortParameter);
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
    FileRowPath parts;
    if (!SplitRowPath(path, parts))
        return -1;
    const CString fullPath = JoinRowPath(parts.folder, parts.name);
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(fullPath, GetFileExInfoStandard, &attributes))
        return -1;
    const int row = InsertItem(GetItemCount(), parts.name, I_IMAGENONE);
    if (row < 0)
        return -1;
    const bool folder = (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    SetItemData(row, folder ? kFolderRow : kFileRow);
    SetItemText(row, kFolderColumn, parts.folder);
    SetItemText(row, kDateColumn, DateText(attributes.ftLastWriteTime));
    int icon = -1;
    if (folder) {
        icon = m_rowIcons.ForFolder();
    } else {
        const std::uint64_t size =
            (static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
        SetItemText(row, kSizeColumn, SizeText(size));
        // The listing opens the file anyway: the row's icon comes from what it found.
        FirstIconRecorder listed(icons);
        const int count = icons ? quarvel::ListIconGroups(fullPath, &listed) : 0;
        CString text;
        text.Format("%d", count);
        SetItemText(row, kIconsColumn, text);
        icon = m_rowIcons.ForFile(fullPath, listed);
    }
    LVITEMA image{};
    image.mask = LVIF_IMAGE;
    image.iItem = row;
    image.iImage = icon;
    SetItem(&image);
    return row;
}

void CFileListCtrl::RemoveAllRows() {
    DeleteAllItems();
    SetImageList(m_rowIcons.Reset(), LVSIL_SMALL);
}

bool CFileListCtrl::SortByColumn(int column, bool ascending) {
    {
        CFolderFirstSorter sorter(this, column);
        sorter.Sort(ascending, ByText);
    }
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    return true;
}

CString CFileListCtrl::GetFullPath(int row) const {
    return JoinRowPath(GetItemText(row, kFolderColumn), GetItemText(row, kNameColumn));
}

int CFileListCtrl::GetTargetRow() const {
    const int focused = GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    return focused >= 0 ? focused : GetNextItem(-1, LVNI_SELECTED);
}

void CFileListCtrl::OpenFolderRow(int row) {
    if (m_pFolderTree && IsFolderRow(row))
        m_pFolderTree->SetSelectedPath(GetFullPath(row), true);
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
