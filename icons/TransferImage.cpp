// Making the PNG and CF_DIBV5 forms of an icon image.
#include "TransferImage.h"

#include "engine/IconSizing.h"
#include "engine/PngWriter.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace quarvel {

namespace {
// LCS_sRGB ('sRGB'), spelled without a multi-character constant.
constexpr DWORD kSrgbColourSpace = 0x73524742;
} // namespace

std::vector<std::uint8_t> PackedDibV5(const RgbaImage& image) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = image.width;
    header.bV5Height = image.height; // positive: bottom-up, which every reader understands
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(image.height);
    header.bV5SizeImage = static_cast<DWORD>(pixelBytes);
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    header.bV5CSType = kSrgbColourSpace;
    header.bV5Intent = LCS_GM_IMAGES;

    std::vector<std::uint8_t> dib(sizeof(header) + pixelBytes);
    std::memcpy(dib.data(), &header, sizeof(header));
    std::uint8_t* out = dib.data() + sizeof(header);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* rgba =
            image.pixels.data() + rowBytes * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x, rgba += 4, out += 4) {
            out[0] = rgba[2]; // blue, green, red, alpha: the masks' order in a little-endian word
            out[1] = rgba[1];
            out[2] = rgba[0];
            out[3] = rgba[3];
        }
    }
    return dib;
}

std::optional<TransferImage> MakeTransferImage(const ByteView& image) {
    try {
        const auto pixels = DecodeIconImage(image);
        if (!pixels)
            return std::nullopt;
        auto png = IconImageAsPng(image);
        if (!png)
            return std::nullopt;
        return TransferImage{std::move(*png), PackedDibV5(*pixels)};
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace quarvel
