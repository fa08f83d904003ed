// CIconListCtrl: which records the control's positions show (the filter, the hiding of
// duplicates, the order), and the facts and identities beside the records.
#include "IconListCtrl.h"

#include "SubIconView.h"
#include "engine/CursorImages.h"
#include "engine/IcoWriter.h"
#include "engine/IconImageSet.h"

#include <numeric>
#include <set>

using namespace quarvel;

namespace {
// The images of an icon as the facts read them (a cursor's as its panes show it).
std::unique_ptr<CIconImageSet> ReadFactImages(const CIconItem& item) {
    if (item.IsCursor())
        return ReadCursorImages(item);
    if (item.IsGroup())
        return ReadGroupImages(item.GetPath().c_str(), item.GetName(), item.GetLanguage());
    return ReadIcoFileImages(item.GetPath().c_str());
}

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}
} // namespace

void CIconListCtrl::RecordAppended() {
    const CIconItem& item = m_items.back();
    IconFacts facts;
    facts.label = LabelOf(item).GetString();
    facts.fileName = FileNameOf(item.GetListedPath().c_str());
    if (item.IsGroup())
        facts.resourceName = item.NameIsId() ? std::to_string(item.GetId()) : item.GetNameText();
    facts.isCursor = item.IsCursor();
    m_facts.push_back(std::move(facts));
    m_imageFactsKnown.push_back(0);
    m_firstOf.push_back(-1);
}

void CIconListCtrl::DescribeLastIcon(const IconFacts& facts, int firstOf) {
    if (m_items.empty() || m_facts.size() != m_items.size())
        return;
    const std::size_t record = m_items.size() - 1;
    IconFacts& known = m_facts[record];
    known.images = facts.images;
    known.hasPng = facts.hasPng;
    known.isCursor = facts.isCursor;
    m_imageFactsKnown[record] = 1;
    if (firstOf >= 0 && m_firstOf[record] < 0) {
        m_firstOf[record] = firstOf;
        ++m_iconCounts[firstOf];
    }
}

void CIconListCtrl::ForgetShown() {
    m_facts.clear();
    m_imageFactsKnown.clear();
    m_firstOf.clear();
    m_iconCounts.clear();
    m_shown.clear();
    m_sorted.clear();
    m_shownOfIcon.clear();
    m_nPlaced = 0;
}

int CIconListCtrl::RecordAt(int index) const {
    return index >= 0 && index < static_cast<int>(m_shown.size())
               ? m_shown[static_cast<std::size_t>(index)]
               : -1;
}

int CIconListCtrl::ShownCount() {
    TellCount();
    return static_cast<int>(m_shown.size());
}

const IconFacts& CIconListCtrl::FactsOf(int record, bool images) {
    const auto at = static_cast<std::size_t>(record);
    if (images && !m_imageFactsKnown[at]) {
        // Read once, for an icon that came without the fill worker's reading.
        if (const auto set = ReadFactImages(m_items[at]))
            SetImageFacts(*set, m_facts[at]);
        m_facts[at].isCursor = m_items[at].IsCursor();
        m_imageFactsKnown[at] = 1;
    }
    return m_facts[at];
}

const std::vector<int>& CIconListCtrl::RecordsInOrder() {
    if (m_sorted.size() == m_items.size())
        return m_sorted;
    if (m_order == IconOrder::File) {
        m_sorted.resize(m_items.size());
        std::iota(m_sorted.begin(), m_sorted.end(), 0);
        return m_sorted;
    }
    if (m_order == IconOrder::LargestImage)
        for (int record = 0; record < static_cast<int>(m_items.size()); ++record)
            FactsOf(record, true);
    m_sorted = SortedPositions(m_facts, m_order);
    return m_sorted;
}

bool CIconListCtrl::Passes(int record, std::unordered_map<int, int>& shownOfIcon) {
    if (!m_filter.IsEmpty() && !m_filter.Matches(FactsOf(record, true)))
        return false;
    const int identity = m_firstOf[static_cast<std::size_t>(record)];
    return !m_bHideDuplicates || identity < 0 || shownOfIcon.emplace(identity, record).second;
}

void CIconListCtrl::PlaceNewRecords() {
    const int records = static_cast<int>(m_items.size());
    if (m_nPlaced < records && m_order != IconOrder::File) {
        // A new record may belong anywhere: the positions are made again.
        Reshow();
        return;
    }
    for (; m_nPlaced < records; ++m_nPlaced)
        if (Passes(m_nPlaced, m_shownOfIcon))
            m_shown.push_back(m_nPlaced);
    // No item to scroll to and nothing to repaint at once: the burst ends with a full repaint.
    if (!SetItemCountEx(LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL))
        m_shown.resize(static_cast<std::size_t>(CListCtrl::GetItemCount())); // refused: kept out
    ShownChanged();
}

void CIconListCtrl::Reshow() {
    if (!m_hWnd)
        return;
    m_bCountBehind = false;
    m_bReshowing = true;
    // What the user holds, by record, while the control still counts the old positions.
    std::vector<int> selected;
    for (int index = GetNextItem(-1, LVNI_SELECTED); index >= 0;
         index = GetNextItem(index, LVNI_SELECTED))
        selected.push_back(RecordAt(index));
    const int focusedAt = GetNextItem(-1, LVNI_FOCUSED);
    const int focused = RecordAt(focusedAt);
    if (!selected.empty())
        SetItemState(-1, 0, LVIS_SELECTED);
    if (focusedAt >= 0)
        SetItemState(focusedAt, 0, LVIS_FOCUSED);

    // The first record of each icon that passes, in list order, stays; then the order.
    const int records = static_cast<int>(m_items.size());
    std::vector<char> passes(static_cast<std::size_t>(records));
    m_shownOfIcon.clear();
    for (int record = 0; record < records; ++record)
        passes[static_cast<std::size_t>(record)] = Passes(record, m_shownOfIcon);
    m_nPlaced = records;
    m_shown.clear();
    for (const int record : RecordsInOrder())
        if (passes[static_cast<std::size_t>(record)])
            m_shown.push_back(record);
    if (!SetItemCountEx(LVSICF_NOSCROLL))
        m_shown.resize(static_cast<std::size_t>(CListCtrl::GetItemCount()));

    std::vector<int> positionOf(static_cast<std::size_t>(records), -1);
    for (int index = 0; index < static_cast<int>(m_shown.size()); ++index)
        positionOf[static_cast<std::size_t>(m_shown[static_cast<std::size_t>(index)])] = index;
    const auto position = [&](int record) {
        return record >= 0 ? positionOf[static_cast<std::size_t>(record)] : -1;
    };
    for (const int record : selected)
        if (position(record) >= 0)
            SetItemState(position(record), LVIS_SELECTED, LVIS_SELECTED);
    if (position(focused) >= 0) {
        SetItemState(position(focused), LVIS_FOCUSED, LVIS_FOCUSED);
        EnsureVisible(position(focused), FALSE);
    } else if (!m_shown.empty()) {
        EnsureVisible(0, FALSE);
    }
    // The sub-icon view keeps its icon while it is shown, at its new position.
    if (m_pSubIconView && m_pSubIconView->GetCurrentIcon()) {
        int shownAt = -1;
        for (int record = 0; record < records; ++record)
            if (&m_items[static_cast<std::size_t>(record)] == m_pSubIconView->GetCurrentIcon())
                shownAt = position(record);
        if (shownAt >= 0)
            m_pSubIconView->IconMoved(shownAt);
        else
            m_pSubIconView->RemoveAll();
    }
    m_bReshowing = false;
    // The cells moved: a burst's drawing, when it ends, must not keep only its new cells.
    m_bOnlyAppended = false;
    Invalidate();
    ShownChanged();
}

void CIconListCtrl::ShownChanged() {
    if (m_shownChanged)
        m_shownChanged();
}

void CIconListCtrl::SetFilter(const char* text) {
    const CString typed(text ? text : "");
    if (typed == m_strFilter)
        return;
    m_strFilter = typed;
    m_filter = IconFilter(m_strFilter.GetString());
    Reshow();
}

void CIconListCtrl::SetOrder(IconOrder order) {
    if (order == m_order)
        return;
    m_order = order;
    m_sorted.clear();
    Reshow();
}

void CIconListCtrl::SetHideDuplicates(bool hide) {
    if (hide == m_bHideDuplicates)
        return;
    m_bHideDuplicates = hide;
    Reshow();
}

int CIconListCtrl::DuplicatesOf(int index) const {
    const int record = RecordAt(index);
    const int identity = record >= 0 ? m_firstOf[static_cast<std::size_t>(record)] : -1;
    const auto count = identity >= 0 ? m_iconCounts.find(identity) : m_iconCounts.end();
    return count != m_iconCounts.end() ? count->second - 1 : 0;
}

int CIconListCtrl::DuplicateFilesOf(int index, int* inOwnFile) const {
    const int record = RecordAt(index);
    const int identity = record >= 0 ? m_firstOf[static_cast<std::size_t>(record)] : -1;
    int sameFile = 0;
    std::set<std::string> files;
    for (std::size_t other = 0; identity >= 0 && other < m_firstOf.size(); ++other) {
        if (m_firstOf[other] != identity || other == static_cast<std::size_t>(record))
            continue;
        const std::string& path = m_items[other].GetListedPath();
        if (path == m_items[static_cast<std::size_t>(record)].GetListedPath())
            ++sameFile;
        else
            files.insert(path);
    }
    if (inOwnFile)
        *inOwnFile = sameFile;
    return static_cast<int>(files.size());
}

std::string CIconListCtrl::DuplicatesLine(int index) const {
    // Copies in the icon's own file (other languages, say) are told apart from other files.
    int ownFile = 0;
    const int files = DuplicateFilesOf(index, &ownFile);
    std::string line;
    if (files > 0)
        line = "also in " + Counted(files, "other file", "other files");
    if (ownFile > 0)
        line += (line.empty() ? "also " : ", and ") +
                Counted(ownFile, "more time in this file", "more times in this file");
    return line;
}
