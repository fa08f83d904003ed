// CFileListCtrl: the report list of the file list pane. One row per file or folder (name,
// folder, size, date, icon count, cursor count; item data 1 for a folder, 0 for a file), sorted
// with folders first (by size, by time, by count, or by the text of the other columns), and a
// double-click or Enter on a folder row asks the listing to open that folder. Select All selects
// every row. The control holds no items (owner data): the rows are our own records, which the
// control asks for what it draws, so that a list of 10^5 rows fills, sorts and empties at what the
// records cost. The control keeps only the selection and the focus; it must be created
// LVS_OWNERDATA.
#pragma once

#include "BrowseHosts.h"
#include "FileRowIcons.h"
#include "ListedFile.h"
#include "SortListCtrl.h"
#include "engine/IconGroups.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

enum FileListColumn {
    kNameColumn,
    kFolderColumn,
    kSizeColumn,
    kDateColumn,
    kIconsColumn,
    kCursorsColumn
};

class CFileListCtrl : public CTextSortListCtrl {
    DECLARE_DYNAMIC(CFileListCtrl)
public:
    // Appends the six columns; false when the control refuses one.
    bool AppendColumns();
    // Where a folder row goes when opened (not owned; null: nowhere).
    void SetListing(ListingRequests* listing) { m_pListing = listing; }
    ListingRequests* GetListing() const { return m_pListing; }

    // Appends the row of path, unsorted, and lists a file's icons into icons (may be null).
    // Answers the row's index, or -1 when the path cannot be read and nothing was added.
    int AddFile(const char* path, quarvel::IconListReceiver* icons);
    // Appends the row of an entry, unsorted, without its icon count; a key other than -1 names
    // the row for RowOfKey. Answers the row's index, or -1.
    int AppendEntry(const FileEntry& entry, int key = -1);
    // The rows from the top one in sight to the first below it, which may be partly in sight.
    struct RowSpan {
        int first = 0;
        int last = -1;
        bool Holds(int row) const { return row >= first && row <= last; }
    };
    RowSpan RowsInSight();
    // Shows the icon and cursor counts and row icon of a file row and hands its icons to icons
    // (may be null); the row is repainted when it is in sight.
    void ShowFileIcons(int row, FileIcons listed, quarvel::IconListReceiver* icons) {
        ShowFileIcons(row, std::move(listed), icons, RowsInSight());
    }
    // The same for a run of rows while the list neither scrolls nor resizes: asking the control
    // for the rows in sight cost a fill more than all else it did per file.
    void ShowFileIcons(int row, FileIcons listed, quarvel::IconListReceiver* icons,
                       RowSpan inSight);
    // The rows in our records, which the control may not have been told yet.
    std::size_t RowCount() const { return m_rows.size(); }
    // Where the row appended with key is now, after any sorting; -1 when there is none.
    int RowOfKey(int key) const;
    // Drops every key (the rows stay).
    void ForgetKeys();
    // Deletes every row and drops their icons.
    void RemoveAllRows();
    // The list of the rows' small icons, which the control shares and never destroys.
    HIMAGELIST GetRowIcons() const { return m_rowIcons.Handle(); }
    // Sorts by column ("Size" by size, "Date" by time, "Icons" and "Cursors" by count, a count not
    // known yet below 0, the others by text) with folders above files
    // (below them when descending), remembering the column and direction for Resort. Selected
    // rows and the focused row stay selected and focused.
    bool SortByColumn(int column, bool ascending) override;
    // Sorts again by the column and direction of the last sort (at first "Name", ascending).
    void Resort() { SortByColumn(m_nSortColumn, m_bSortAscending); }
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsSortAscending() const { return m_bSortAscending; }

    // The text of a row in a column, from our records ("" for a row or column that is not).
    CString GetItemText(int row, int column) const;
    // 1 for a folder row, 0 for a file row or no row.
    DWORD_PTR GetItemData(int row) const { return IsFolderRow(row) ? 1 : 0; }
    bool IsFolderRow(int row) const { return IsRow(row) && m_rows[Index(row)].isFolder; }
    CString GetFullPath(int row) const;
    // The row that commands act on: the selected row with the focus, else the first selected
    // row; -1 when no row is selected.
    int GetTargetRow() const;
    // Asks the listing to open a folder row (after the handler that asks has returned); nothing
    // for a file row or no row.
    void OpenFolderRow(int row);

protected:
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnKeyDown(NMHDR* header, LRESULT* result);
    // The control asks for the texts and icon of a row it draws or is asked about.
    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    // Typing a name's first letters finds the next row whose name begins with them.
    void OnFindItem(NMHDR* header, LRESULT* result);
    // Edit > Select All (Ctrl+A) selects every row; the view passes the command on.
    void OnEditSelectAll();
    void OnUpdateEditSelectAll(CCmdUI* cmdUI);
    // Any message to the control first tells it the count of the rows appended.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    struct Row {
        std::string name;
        std::string size; // empty for a folder
        std::string date;
        std::uint32_t folder; // index into m_folders
        int icons = -1;       // the count shown; -1 while unknown and for folders
        int cursors = -1;     // likewise
        int image = I_IMAGENONE;
        int key = -1;
        bool isFolder = false;
    };
    bool IsRow(int row) const { return row >= 0 && Index(row) < m_rows.size(); }
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
    // Where a folder's text is kept once for all its rows.
    std::uint32_t FolderIndex(const CString& folder);
    // The index of the first row after start whose name begins with (partial) or is text; -1.
    int FindRowByName(int start, const char* text, bool partial, bool wrap) const;
    // Marks the control's count behind the rows; TellCount tells it, keeping the selection,
    // focus and scroll.
    void UpdateItemCount();
    void TellCount();

    std::vector<Row> m_rows;
    std::vector<CString> m_folders;
    std::unordered_map<std::string, std::uint32_t> m_folderIndex;
    CFileRowIcons m_rowIcons;
    RowIconRule m_rowIconRule;
    std::vector<int> m_rowOfKey; // key -> row, or -1
    int m_nSortColumn = kNameColumn;
    bool m_bSortAscending = true;
    bool m_bCountBehind = false; // rows appended since the control was last told the count
    ListingRequests* m_pListing = nullptr; // not owned
};
