// CColumnSorter: lending rows their sort records, the comparison rules, and giving back.
#include "ColumnSorter.h"

#include <unordered_map>

CColumnSorter::CColumnSorter(CListCtrl* list, int column) : m_pList(list) {
    int count = list->GetItemCount();
    m_pairs.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (int row = 0; row < count; ++row) {
        auto pair = std::make_unique<SortPair>();
        pair->itemData = static_cast<LPARAM>(list->GetItemData(row));
        pair->text = list->GetItemText(row, column);
        list->SetItemData(row, reinterpret_cast<DWORD_PTR>(pair.get()));
        m_pairs.push_back(std::move(pair));
    }
}

CColumnSorter::~CColumnSorter() {
    // Rows are matched to their pairs by reference, so a row whose item data was changed or
    // that was added meanwhile keeps what it has, and no pair is read after it is freed.
    std::unordered_map<DWORD_PTR, const SortPair*> lent;
    for (const auto& pair : m_pairs)
        lent.emplace(reinterpret_cast<DWORD_PTR>(pair.get()), pair.get());
    int count = m_pList->GetItemCount();
    for (int row = 0; row < count; ++row) {
        auto found = lent.find(m_pList->GetItemData(row));
        if (found != lent.end())
            m_pList->SetItemData(row, static_cast<DWORD_PTR>(found->second->itemData));
    }
}

void CColumnSorter::Sort(bool ascending, int rule) {
    m_pList->SortItems(&CColumnSorter::CompareItems,
                       static_cast<DWORD_PTR>(SortParameter(ascending, rule)));
}

int CALLBACK CColumnSorter::CompareItems(LPARAM first, LPARAM second, LPARAM sortParameter) {
    return Compare(reinterpret_cast<const SortPair*>(first),
                   reinterpret_cast<const SortPair*>(second), sortParameter);
}

int CColumnSorter::Compare(const SortPair* first, const SortPair* second, LPARAM sortParameter) {
    int sign = sortParameter >= 0 ? 1 : -1;
    LPARAM rule = sign * sortParameter;
    if (rule != ByText || !first || !second)
        return 0;
    int order = CompareTextNoCase(first->text, second->text);
    return sign * (order < 0 ? -1 : order > 0 ? 1 : 0);
}
