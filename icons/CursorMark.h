// The mark that tells a cursor's cell from an icon's: a small arrow pointer, black with a white
// inside, in the cell's bottom right corner, drawn over the picture.
#pragma once

#include <cstdint>

namespace quarvel {

// The mark's pattern is this many pixels wide and high at cells up to kCursorMarkStep pixels;
// each further kCursorMarkStep pixels of side grow it by its size again.
constexpr int kCursorMarkWidth = 7;
constexpr int kCursorMarkHeight = 10;
constexpr int kCursorMarkStep = 48;

// Draws the mark on a square of `side` top-down rows of 0x00RRGGBB pixels; nothing on a square
// smaller than the mark.
void DrawCursorMark(std::uint32_t* pixels, int side);

} // namespace quarvel
