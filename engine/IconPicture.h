// Pictures of icons (Windows only): an icon drawn onto a square of a solid colour, in the
// display's format. The icon list's pictures, the clipboard copies and the .bmp files use it.
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

// One surface on which many pictures of one size are drawn in turn, each drawn as
// DrawIconPicture draws it: for a batch of pictures that are copied elsewhere at once (into an
// image list). It is a DIB section, which the system draws on and copies from in memory, where a
// bitmap compatible with the screen may cost a trip to the display at each use.
class PictureCanvas {
public:
    PictureCanvas(int cx, int cy);
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    // False when the device context or the bitmap could not be made.
    explicit operator bool() const { return m_dc && m_bitmap; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // Draws the icon's picture on the window colour and answers the bitmap, selected into no
    // device context so that it may be copied; it stays the canvas's and holds the picture until
    // the next Draw. Null for a null icon or a canvas that could not be made.
    HBITMAP Draw(HICON icon, const CellPlacement& at);

private:
    int m_cx, m_cy;
    ScopedMemoryDC m_dc;
    ScopedBitmap m_bitmap;
};

} // namespace quarvel

#endif
