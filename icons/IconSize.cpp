// The icon list's cell sizes and the steps between them.
#include "IconSize.h"

#include "Dpi.h"

#include <algorithm>
#include <iterator>

namespace quarvel {

bool IsIconSize(int size) {
    return std::find(std::begin(kIconSizes), std::end(kIconSizes), size) != std::end(kIconSizes);
}

int StepIconSize(int size, int steps) {
    const int* at = std::find(std::begin(kIconSizes), std::end(kIconSizes), size);
    if (at == std::end(kIconSizes))
        at = std::find(std::begin(kIconSizes), std::end(kIconSizes), kDefaultIconSize);
    const int index =
        std::clamp(static_cast<int>(at - std::begin(kIconSizes)) + steps, 0, kIconSizeCount - 1);
    return kIconSizes[index];
}

int IconCellSide(int size, int dpi) {
    const int medium = AfxGetSystemMetricForDpi(SM_CXICON, dpi);
    return MulDiv(medium > 0 ? medium : AfxScaleToDpi(kDefaultIconSize, dpi), size,
                  kDefaultIconSize);
}

} // namespace quarvel
