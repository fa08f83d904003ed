// Sorting positions rather than records: the list keeps its icons where they are.
#include "IconOrder.h"

#include "TextFold.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace quarvel {

std::vector<int> SortedPositions(const std::vector<IconFacts>& icons, IconOrder order) {
    std::vector<int> positions(icons.size());
    std::iota(positions.begin(), positions.end(), 0);
    switch (order) {
    case IconOrder::File:
        break;
    case IconOrder::Name: {
        // Folded once each, not at every comparison.
        std::vector<std::string> keys;
        keys.reserve(icons.size());
        for (const IconFacts& icon : icons)
            keys.push_back(FoldCase(icon.label));
        std::stable_sort(positions.begin(), positions.end(),
                         [&](int a, int b) { return keys[a] < keys[b]; });
        break;
    }
    case IconOrder::LargestImage: {
        std::vector<ImageFact> keys;
        keys.reserve(icons.size());
        for (const IconFacts& icon : icons)
            keys.push_back(icon.Largest());
        std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
            if (keys[a].width != keys[b].width)
                return keys[a].width > keys[b].width;
            return keys[a].bitCount > keys[b].bitCount;
        });
        break;
    }
    }
    return positions;
}

} // namespace quarvel
