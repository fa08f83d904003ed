// CColumnSorter: sorts the rows of a list control by the text of one column. While it lives,
// every row's item data refers to a SortPair holding the row's own item data and its text in
// the sort column; when it goes, every row gets its own item data back.
#pragma once

#include "Framework.h"

#include <memory>
#include <vector>

// Comparison rules carried by the sort parameter: +rule sorts ascending, -rule descending.
enum SortRule { ByText = 2 }; // case-insensitive text (multibyte-aware)

struct SortPair {
    LPARAM itemData; // the row's own item data, lent out for the sort
    CString text;    // the row's text in the sort column
};

class CColumnSorter {
public:
    CColumnSorter(CListCtrl* list, int column);
    virtual ~CColumnSorter();
    CColumnSorter(const CColumnSorter&) = delete;
    CColumnSorter& operator=(const CColumnSorter&) = delete;

    // Sorts the list's rows by the pairs with the given rule, ascending or descending.
    virtual void Sort(bool ascending, int rule);

    // Negative, 0 or positive as first sorts before, with or after second under the sort
    // parameter (+2 ascending by text, -2 descending; any other parameter: all rows equal).
    static int Compare(const SortPair* first, const SortPair* second, LPARAM sortParameter);
    static LPARAM SortParameter(bool ascending, int rule) { return ascending ? rule : -rule; }

protected:
    // The platform's comparison callback over the rows' pairs.
    static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM sortParameter);
    CListCtrl* m_pList; // not owned

private:
    std::vector<std::unique_ptr<SortPair>> m_pairs; // in the rows' order before the sort
};
