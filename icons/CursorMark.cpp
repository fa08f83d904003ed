// Drawing the cursor mark.
#include "CursorMark.h"

namespace quarvel {

namespace {
// 'B' black, 'W' white, '.' left as it is.
constexpr char kPattern[kCursorMarkHeight][kCursorMarkWidth + 1] = {
    "B......", "BB.....", "BWB....", "BWWB...", "BWWWB..",
    "BWWWWB.", "BWWWWWB", "BWWBBBB", "BWB....", "BB.....",
};
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
} // namespace

void DrawCursorMark(std::uint32_t* pixels, int side) {
    if (!pixels || side < kCursorMarkHeight + 1)
        return;
    const int scale = 1 + (side - 1) / kCursorMarkStep;
    const int left = side - kCursorMarkWidth * scale - 1;
    const int top = side - kCursorMarkHeight * scale - 1;
    if (left < 0 || top < 0)
        return;
    for (int y = 0; y < kCursorMarkHeight * scale; ++y)
        for (int x = 0; x < kCursorMarkWidth * scale; ++x) {
            const char dot = kPattern[y / scale][x / scale];
            if (dot != '.')
                pixels[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(side) +
                       static_cast<std::size_t>(left + x)] = dot == 'B' ? kBlack : kWhite;
        }
}

} // namespace quarvel
