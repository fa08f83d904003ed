// Pictures of icons (Windows only): an icon drawn onto a square of a solid colour, in the
// display's format: the .bmp files and the sub-icon view's pictures.
#pragma once

#ifdef _WIN32

#include "win32/GdiOwners.h"

#include <windows.h>

namespace quarvel {

// Where an icon is drawn in its picture, and at which size.
struct CellPlacement {
    int left, top, width, height;
};

// A bitmap of cx by cy compatible with the screen, filled with `background` (the system window
// colour when null), with the icon drawn (image and mask) at `at`. Null for a null icon, an
// empty size, or when no device context or bitmap can be made.
ScopedBitmap DrawIconPicture(HICON icon, int cx, int cy, const CellPlacement& at,
                             HBRUSH background = nullptr);

} // namespace quarvel

#endif
