// The sizes of the icon list's cells the user chooses from (View > Icon Size), written for
// 96 DPI: Small 16, Medium 32 (the large-icon size), Large 48, Extra Large 96 and Jumbo 256.
#pragma once

namespace quarvel {

constexpr int kIconSizes[] = {16, 32, 48, 96, 256};
constexpr int kIconSizeCount = sizeof kIconSizes / sizeof kIconSizes[0];
constexpr int kDefaultIconSize = 32;

// Whether size is one of kIconSizes.
bool IsIconSize(int size);
// The size `steps` places after size in kIconSizes (before it when negative), held at the
// smallest and the largest; a size that is not one of them counts as the default.
int StepIconSize(int size, int steps);
// The side of a cell of that size at dpi: the large-icon size at dpi (the medium cell) scaled
// by size / 32, so that every size grows with the DPI as the medium cell does.
int IconCellSide(int size, int dpi);

} // namespace quarvel
