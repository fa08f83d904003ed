// An icon image as other programs take it from the clipboard or a drop: a PNG stream and
// 32-bit DIBs with straight alpha.
#pragma once

#include "engine/ByteView.h"
#include "engine/IconBitmap.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

struct TransferImage {
    std::vector<std::uint8_t> png;   // what the PNG export writes for the image
    std::vector<std::uint8_t> dibV5; // packed: BITMAPV5HEADER, then the pixels
    std::vector<std::uint8_t> dib;   // packed: BITMAPINFOHEADER, then the same pixels
};

// Both forms of a stored icon image (bitmap or PNG); nothing when our readers cannot decode it.
std::optional<TransferImage> MakeTransferImage(const ByteView& image);

// A packed DIB of the pixels: BITMAPV5HEADER, 32 bits, BI_BITFIELDS with alpha mask 0xFF000000,
// sRGB, straight alpha, rows from the bottom.
std::vector<std::uint8_t> PackedDibV5(const RgbaImage& image);

// The same pixels after a BITMAPINFOHEADER (32 bits, BI_RGB, alpha in the fourth byte), for
// CF_DIB: offered by us, the system does not make one from another format.
std::vector<std::uint8_t> PackedDib(const RgbaImage& image);

} // namespace quarvel
