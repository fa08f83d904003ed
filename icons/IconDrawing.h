// Drawing icons into bitmaps for the icon panes: an icon's own size, its place in a cell of the
// icon list, a picture of an icon on a solid background, and a bitmap put on the clipboard.
#pragma once

#include "engine/DisplayIcon.h"

#include <windows.h>

namespace quarvel {

// Where an icon `iconWidth` pixels wide (treated as square) is drawn in a cell of cx by cy:
// scaled down to fit when larger, centred. A zero size means "the icon's own size".
struct CellPlacement {
    int left, top, width, height;
};
CellPlacement PlaceInCell(int iconWidth, int cx, int cy);

// A bitmap of cx by cy compatible with the screen, filled with `background` and with the icon
// drawn (image and mask) at `at`. The caller deletes it; null on failure.
HBITMAP DrawIconPicture(HICON icon, int cx, int cy, const CellPlacement& at, HBRUSH background);

// Empties the clipboard and hands it the bitmap as CF_BITMAP (the clipboard then owns it; a
// bitmap it refuses is deleted). False when the clipboard cannot be opened or refuses it.
bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap);

} // namespace quarvel
