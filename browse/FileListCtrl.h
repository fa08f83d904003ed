// CFileListCtrl: the report list of the file list pane. One row per file or folder (name,
// folder, size, date, icon count; item data 1 for a folder, 0 for a file), sorted with folders
// first by the text of any column, and a double-click or Enter on a folder row moves the folder
// tree there.
#pragma once

#include "BrowseLinks.h"
#include "FileRowIcons.h"
#include "SortListCtrl.h"
#include "engine/IconGroups.h"

enum FileListColumn { kNameColumn, kFolderColumn, kSizeColumn, kDateColumn, kIconsColumn };

class CFileListCtrl : public CTextSortListCtrl {
    DECLARE_DYNAMIC(CFileListCtrl)
public:
    // Appends the five columns; false when the control refuses one.
    bool AppendColumns();
    void SetFolderTree(FolderSelector* tree) { m_pFolderTree = tree; }
    FolderSelector* GetFolderTree() const { return m_pFolderTree; }

    // Appends the row of path, unsorted, and lists a file's icons into icons (may be null).
    // Answers the row's index, or -1 when the path cannot be read and nothing was added.
    int AddFile(const char* path, quarvel::IconListReceiver* icons);
    // Deletes every row and drops their icons.
    void RemoveAllRows();
    // The list of the rows' small icons, which the control shares and never destroys.
    HIMAGELIST GetRowIcons() const { return m_rowIcons.Handle(); }
    // Sorts by column with folders above files (below them when descending), remembering the
    // column and direction for Resort.
    bool SortByColumn(int column, bool ascending) override;
    // Sorts again by the column and direction of the last sort (at first "Name", ascending).
    void Resort() { SortByColumn(m_nSortColumn, m_bSortAscending); }
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsSortAscending() const { return m_bSortAscending; }

    bool IsFolderRow(int row) const { return row >= 0 && GetItemData(row) == 1; }
    CString GetFullPath(int row) const;
    // The row that commands act on: the selected row with the focus, else the first selected
    // row; -1 when no row is selected.
    int GetTargetRow() const;
    // Moves the folder tree to a folder row; nothing for a file row, no row or no tree.
    void OpenFolderRow(int row);

protected:
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnKeyDown(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    CFileRowIcons m_rowIcons;
    int m_nSortColumn = kNameColumn;
    bool m_bSortAscending = true;
    FolderSelector* m_pFolderTree = nullptr; // not owned
};
