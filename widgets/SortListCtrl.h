// CSortListCtrl: a report list control that paints without flicker and sorts by the column whose
// header the user clicks (a second click on the same column reverses the direction).
// CTextSortListCtrl sorts by the clicked column's text.
#pragma once

#include "Framework.h"

class CSortListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CSortListCtrl)
public:
    CSortListCtrl() = default;

    // Sorts the rows by column in the given direction; this one leaves them as they are.
    virtual bool SortByColumn(int column, bool ascending);
    // Adds list-view extended-style bits; bits already set stay set.
    virtual void AddExtendedStyle(DWORD style);
    // Appends a report column; width -1 copies the width of the current last column (0 for the
    // first column). Answers the new column's index, or -1 when the control refuses it.
    virtual int AppendColumn(const char* heading, int width = -1, int format = LVCFMT_LEFT);
    // Every column's width, laid out at fromDpi, at toDpi (widths the user dragged included).
    void ScaleColumnWidths(int fromDpi, int toDpi);

    int GetSortedColumn() const { return m_nSortedColumn; }
    bool IsSortAscending() const { return m_bAscending; }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    DECLARE_MESSAGE_MAP()

private:
    int m_nSortedColumn = -1; // -1 until the first header click
    bool m_bAscending = true;
};

class CTextSortListCtrl : public CSortListCtrl {
    DECLARE_DYNAMIC(CTextSortListCtrl)
public:
    bool SortByColumn(int column, bool ascending) override;
};
