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

// The header's bytes, then the pixels as rows from the bottom, each pixel blue, green, red,
// alpha (the masks' order in a little-endian word).
template <class Header>
std::vector<std::uint8_t> PackDib(const Header& header, const RgbaImage& image) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    std::vector<std::uint8_t> dib(sizeof(header) +
                                  rowBytes * static_cast<std::size_t>(image.height));
    std::memcpy(dib.data(), &header, sizeof(header));
    std::uint8_t* out = dib.data() + sizeof(header);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* rgba =
            image.pixels.data() + rowBytes * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x, rgba += 4, out += 4) {
            out[0] = rgba[2];
            out[1] = rgba[1];
            out[2] = rgba[0];
            out[3] = rgba[3];
        }
    }
    return dib;
}

DWORD PixelBytes(const RgbaImage& image) {
    return static_cast<DWORD>(static_cast<std::size_t>(image.width) * 4 *
                              static_cast<std::size_t>(image.height));
}
} // namespace

std::vector<std::uint8_t> PackedDibV5(const RgbaImage& image) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = image.width;
    header.bV5Height = image.height; // positive: bottom-up, which every reader understands
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5SizeImage = PixelBytes(image);
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    header.bV5CSType = kSrgbColourSpace;
    header.bV5Intent = LCS_GM_IMAGES;
    return PackDib(header, image);
}

std::vector<std::uint8_t> PackedDib(const RgbaImage& image) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = image.width;
    header.biHeight = image.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = PixelBytes(image);
    return PackDib(header, image);
}

std::optional<TransferImage> MakeTransferImage(const ByteView& image) {
    try {
        const auto pixels = DecodeIconImage(image);
        if (!pixels)
            return std::nullopt;
        auto png = IconImageAsPng(image);
        if (!png)
            return std::nullopt;
        return TransferImage{std::move(*png), PackedDibV5(*pixels), PackedDib(*pixels)};
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace quarvel
