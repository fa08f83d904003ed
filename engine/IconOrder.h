// The orders of an icon list: as listed, by name, or largest image first.
#pragma once

#include "IconFacts.h"

#include <vector>

namespace quarvel {

enum class IconOrder {
    File,         // the order the icons were listed in
    Name,         // by label, case-insensitively (FoldCase), then as listed
    LargestImage, // the widest image first, then the deepest of that width, then as listed
};

// The positions of `icons` in the order: a stable sort, so icons that the order ranks alike
// keep their listed order.
std::vector<int> SortedPositions(const std::vector<IconFacts>& icons, IconOrder order);

} // namespace quarvel
