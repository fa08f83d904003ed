// The picture of an icon list cell at any side from 16 to 256 pixels (scaled with the DPI): the
// image the engine chooses for the side (IconSizing.h), decoded by our own readers from the
// file's bytes, scaled down when wider than the cell, never up, and blended onto the window
// colour; a narrower image is centred at its own size. The cell's tooltip names the sizes the
// icon really has and the one shown.
#pragma once

#include "engine/IconBitmap.h"
#include "engine/IconSizing.h"
#include "engine/win32/GdiOwners.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace quarvel {

class CIconItem;
class IconFileCache;

// An icon's sizes as a cell sees them: each entry's real width (0 for one that cannot be used)
// and the image chosen for the side.
struct CellSizes {
    std::vector<int> widths;
    SideChoice shown;
};

// Read through `files`; nothing when the icon cannot be read, has no usable image, or holds an
// image too costly to decode (ImageLimits.h), as its picture then has none.
std::optional<CellSizes> ReadCellSizes(const CIconItem& item, IconFileCache& files, int side);

// "16, 32, 48, 256 (shown: 256 scaled to 96)" for a cell of `side` pixels; "" when the icon
// cannot be read.
std::string CellTooltip(const CIconItem& item, IconFileCache& files, int side);

// One surface on which the pictures of cells of one side are drawn in turn: a DIB section whose
// pixels are written directly, copied into the icon list's image list after each picture.
class CellCanvas {
public:
    explicit CellCanvas(int side);
    CellCanvas(const CellCanvas&) = delete;
    CellCanvas& operator=(const CellCanvas&) = delete;

    explicit operator bool() const { return m_bits != nullptr && m_dc; }
    int Side() const { return m_side; }
    // Draws the item's picture on the window colour (a cursor's with the cursor mark,
    // CursorMark.h) and answers the bitmap, selected into no
    // device context; it stays the canvas's and holds the picture until the next Draw. Null when
    // the icon shows no image or the canvas could not be made.
    HBITMAP Draw(const CIconItem& item, IconFileCache& files);
    // Fills the canvas with `background` and blends the straight RGBA pixels onto it, centred
    // (cut to the cell when larger); the bitmap.
    HBITMAP DrawPixels(const RgbaImage& pixels, COLORREF background);

private:
    // An image our readers cannot decode goes to the system, vetted, and is drawn by it.
    HBITMAP DrawThroughSystem(const ByteView& image, COLORREF background);

    int m_side;
    ScopedBitmap m_bitmap;
    ScopedMemoryDC m_dc;
    std::uint32_t* m_bits = nullptr; // top-down rows of 0x00RRGGBB
    RenderBuffers m_buffers;         // reused by each picture's decoding and scaling
};

} // namespace quarvel
