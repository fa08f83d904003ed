// Reading the size and depth of bitmap and PNG icon images.
#include "IconImage.h"

#include <algorithm>
#include <cstring>

namespace quarvel {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint32_t kBitmapHeaderSize = 40;

// IHDR must be the first chunk: length 13, type "IHDR", then width, height, depth, colour type.
struct PngHeader {
    std::uint32_t width;
    std::uint8_t bitDepth;
    std::uint8_t colourType;
};

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

std::optional<PngHeader> ReadPngHeader(const ByteView& image) {
    if (!IsPngImage(image) || !image.Readable(8, 8 + 13))
        return std::nullopt;
    const std::uint8_t* chunk = image.Data() + 8;
    if (BigEndian32(chunk) != 13 || std::memcmp(chunk + 4, "IHDR", 4) != 0)
        return std::nullopt;
    return PngHeader{BigEndian32(chunk + 8), chunk[16], chunk[17]};
}

int PngChannels(std::uint8_t colourType) {
    switch (colourType) {
    case 2:
        return 3; // RGB
    case 4:
        return 2; // grey and alpha
    case 6:
        return 4; // RGBA
    default:
        return 1; // grey, palette
    }
}

} // namespace

bool IsPngImage(const ByteView& image) {
    return image.Readable(0, sizeof kPngSignature) &&
           std::memcmp(image.Data(), kPngSignature, sizeof kPngSignature) == 0;
}

bool HasBitmapHeader(const ByteView& image) {
    // A PNG signature read as a header size is far above 40: test for it first.
    std::uint32_t headerSize = 0;
    return !IsPngImage(image) && image.U32(0, headerSize) && headerSize >= kBitmapHeaderSize &&
           image.Readable(0, kBitmapHeaderSize);
}

std::optional<std::int64_t> ImageWidth(const ByteView& image) {
    if (const auto png = ReadPngHeader(image))
        return png->width;
    std::uint32_t width = 0;
    if (IsPngImage(image) || !image.U32(4, width))
        return std::nullopt;
    return static_cast<std::int32_t>(width);
}

std::optional<int> ImageBitCount(const ByteView& image) {
    if (const auto png = ReadPngHeader(image))
        return png->bitDepth * PngChannels(png->colourType);
    std::uint16_t bitCount = 0;
    if (IsPngImage(image) || !image.U16(14, bitCount))
        return std::nullopt;
    return bitCount;
}

std::optional<int> IconBuildSize(const ByteView& image) {
    const auto width = ImageWidth(image);
    if (!width)
        return std::nullopt;
    return static_cast<int>(std::clamp<std::int64_t>(*width, kMinIconSize, kMaxIconSize));
}

void ClearBitmapSizeImage(std::uint8_t* image, std::size_t size) {
    if (image != nullptr && HasBitmapHeader(ByteView(image, size)))
        std::memset(image + kBiSizeImageOffset, 0, 4);
}

void ClearBitmapResolution(std::uint8_t* image, std::size_t size) {
    if (image != nullptr && HasBitmapHeader(ByteView(image, size)))
        std::memset(image + kBiSizeImageOffset + 4, 0, 8);
}

} // namespace quarvel
