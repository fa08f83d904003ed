// Checking icon images before the system builds icons from them.
#include "ImageCheck.h"

#include "IconImage.h"
#include "ImageLimits.h"

#include <cstring>

namespace quarvel {

namespace {

constexpr std::uint32_t kMinBitmapHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kMaxBitmapHeaderSize = 124; // BITMAPV5HEADER
constexpr std::uint32_t kMaxColourTableEntries = 256;

// Bytes of one row of `bits`-per-pixel pixels, padded to 32 bits.
std::uint64_t RowBytes(std::int64_t width, std::uint32_t bits) {
    return (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
}

bool IsIconBitCount(std::uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The PNG rule: which bit depths each colour type allows.
bool IsPngDepthOfType(std::uint8_t depth, std::uint8_t colourType) {
    switch (colourType) {
    case 0: // grey
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: // palette
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2: // RGB
    case 4: // grey and alpha
    case 6: // RGBA
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// Signature, then IHDR (length 13, type, 13 bytes of data, CRC) as the first chunk.
bool IsSoundPng(const ByteView& image) {
    constexpr std::uint64_t kIhdrAt = 8, kIhdrChunkBytes = 4 + 4 + 13 + 4;
    if (!image.Readable(kIhdrAt, kIhdrChunkBytes))
        return false;
    const std::uint8_t* chunk = image.Data() + kIhdrAt;
    if (BigEndian32(chunk) != 13 || std::memcmp(chunk + 4, "IHDR", 4) != 0)
        return false;
    const std::uint32_t width = BigEndian32(chunk + 8), height = BigEndian32(chunk + 12);
    const std::uint8_t depth = chunk[16], colourType = chunk[17];
    const std::uint8_t compression = chunk[18], filter = chunk[19], interlace = chunk[20];
    return width != 0 && height != 0 && width <= 0x7FFFFFFFu && height <= 0x7FFFFFFFu &&
           IsPngDepthOfType(depth, colourType) && compression == 0 && filter == 0 &&
           interlace <= 1 && !IsOversizedImage(image);
}

// The mask's bytes of a bitmap whose width and height were read as sound: one bit per pixel,
// rows padded to 32 bits.
std::uint64_t MaskBytes(const ByteView& image) {
    const auto width = static_cast<std::int32_t>(image.U32At(4));
    const auto height = static_cast<std::int32_t>(image.U32At(8)) / 2;
    return RowBytes(width, 1) * static_cast<std::uint64_t>(height);
}

} // namespace

std::uint64_t BitmapImageBytes(const ByteView& image) {
    std::uint32_t headerSize = 0, width = 0, height = 0, compression = 0, coloursUsed = 0;
    std::uint16_t planes = 0, bits = 0;
    if (IsPngImage(image) || !image.U32(0, headerSize) || headerSize < kMinBitmapHeaderSize ||
        headerSize > kMaxBitmapHeaderSize || !image.U32(4, width) || !image.U32(8, height) ||
        !image.U16(12, planes) || !image.U16(14, bits) || !image.U32(16, compression) ||
        !image.U32(32, coloursUsed))
        return 0;
    const auto signedWidth = static_cast<std::int64_t>(static_cast<std::int32_t>(width));
    // The stored height covers the colour bits and the mask: twice the icon's height. A
    // top-down (negative) height is not an icon's.
    const auto storedHeight = static_cast<std::int64_t>(static_cast<std::int32_t>(height));
    const std::int64_t iconHeight = storedHeight / 2;
    if (planes != 1 || !IsIconBitCount(bits) || compression != 0 || signedWidth < 1 ||
        signedWidth > kMaxBitmapSide || iconHeight < 1 || iconHeight > kMaxBitmapSide)
        return 0;
    // The colour table: biClrUsed entries when given (never more than the depth can index),
    // else a full table for depths up to 8 bits.
    std::uint64_t colours = coloursUsed;
    if (colours > kMaxColourTableEntries || (bits <= 8 && colours > (1u << bits)))
        return 0;
    if (colours == 0 && bits <= 8)
        colours = 1u << bits;
    const auto rows = static_cast<std::uint64_t>(iconHeight);
    return headerSize + 4 * colours + RowBytes(signedWidth, bits) * rows + MaskBytes(image);
}

std::uint64_t BitmapMaskBytes(const ByteView& image) {
    return BitmapImageBytes(image) != 0 ? MaskBytes(image) : 0;
}

bool IsSoundIconImage(const ByteView& image) {
    if (IsPngImage(image))
        return IsSoundPng(image);
    const std::uint64_t needed = BitmapImageBytes(image);
    return needed != 0 && needed - BitmapMaskBytes(image) <= image.Size();
}

std::optional<ByteView> ImageForSystem(const ByteView& image, std::vector<std::uint8_t>& scratch) {
    if (!IsSoundIconImage(image))
        return std::nullopt;
    const std::uint64_t needed = BitmapImageBytes(image);
    if (needed <= image.Size())
        return image;
    scratch.assign(image.Data(), image.Data() + image.Size());
    scratch.resize(static_cast<std::size_t>(needed), 0);
    return ByteView(scratch.data(), scratch.size());
}

} // namespace quarvel
