// Decoding a bitmap icon image (BITMAPINFOHEADER, colour table, XOR bits, AND mask) into
// straight RGBA pixels, with transparency as Windows draws the image.
#pragma once

#include "ByteView.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

// Pixels in rows from the top, 4 bytes each (red, green, blue, alpha), not premultiplied.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The pixels of an uncompressed bitmap image of 1, 4, 8, 24 or 32 bits per pixel. Alpha comes
// from a 32-bit image's alpha channel, or from the AND mask (set bit: transparent) for lower
// depths and for a 32-bit image whose alpha is 0 everywhere. Nothing for a PNG image, another
// depth or compression, a height that is not positive, more than kMaxDecodedPixels pixels, or
// bits that do not lie inside the image (a 32-bit image with alpha may lack its mask).
std::optional<RgbaImage> DecodeIconBitmap(const ByteView& image);

} // namespace quarvel
