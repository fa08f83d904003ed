// Drawing icons into bitmaps for the icon panes: an icon's place in a cell of the icon list. The
// pictures themselves come from the engine's IconPicture.h.
#pragma once

#include "engine/DisplayIcon.h"
#include "engine/IconPicture.h"

#include <windows.h>

namespace quarvel {

// Where an icon `iconWidth` pixels wide (treated as square) is drawn in a cell of cx by cy:
// scaled down to fit when larger, centred. A zero size means "the icon's own size".
CellPlacement PlaceInCell(int iconWidth, int cx, int cy);

} // namespace quarvel
