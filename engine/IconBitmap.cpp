// Decoding bitmap icon images into RGBA pixels.
#include "IconBitmap.h"

#include "IconImage.h"
#include "ImageLimits.h"

#include <new>

namespace quarvel {

namespace {

constexpr std::uint32_t kBiRgb = 0;

// The bytes of one stored row: its pixels' bits padded to a multiple of 4 bytes.
std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// The colour of pixel x of a row of an indexed image (1, 4 or 8 bits).
std::uint32_t PaletteIndex(const std::uint8_t* row, int x, int bitCount) {
    const int bit = x * bitCount;
    const int shift = 8 - bitCount - bit % 8;
    return (row[bit / 8] >> shift) & ((1u << bitCount) - 1);
}

} // namespace

std::optional<RgbaImage> DecodeIconBitmap(const ByteView& image) {
    if (!HasBitmapHeader(image))
        return std::nullopt;
    const std::uint32_t headerSize = image.U32At(0);
    const auto width = static_cast<std::int32_t>(image.U32At(4));
    const auto doubledHeight = static_cast<std::int32_t>(image.U32At(8));
    const int bitCount = image.U16At(14);
    const std::uint32_t compression = image.U32At(16);
    const std::uint32_t colourCount = image.U32At(32);
    const int height = doubledHeight / 2; // the colour bits, then as many rows of mask
    if (width <= 0 || height <= 0 || compression != kBiRgb ||
        std::uint64_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height) >
            kMaxDecodedPixels)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return std::nullopt;

    std::uint64_t paletteSize = colourCount;
    if (bitCount <= 8) {
        const std::uint32_t full = 1u << bitCount;
        paletteSize = colourCount == 0 || colourCount > full ? full : colourCount;
    }
    const std::uint64_t paletteAt = headerSize;
    const std::uint64_t colourAt = paletteAt + 4 * paletteSize;
    const std::uint64_t colourStride = RowBytes(static_cast<std::uint32_t>(width), bitCount);
    const std::uint64_t maskAt = colourAt + colourStride * static_cast<std::uint32_t>(height);
    const std::uint64_t maskStride = RowBytes(static_cast<std::uint32_t>(width), 1);
    const bool hasMask = image.Readable(maskAt, maskStride * static_cast<std::uint32_t>(height));
    if (!image.Readable(paletteAt, 4 * paletteSize) || !image.Readable(colourAt, maskAt - colourAt))
        return std::nullopt;

    const std::uint8_t* bytes = image.Data();
    // A 32-bit image whose alpha is 0 everywhere is drawn through its mask.
    bool alphaChannel = false;
    if (bitCount == 32) {
        for (std::uint64_t i = colourAt + 3; i < maskAt && !alphaChannel; i += 4)
            alphaChannel = bytes[i] != 0;
    }
    if (!alphaChannel && !hasMask)
        return std::nullopt;

    RgbaImage out;
    out.width = width;
    out.height = height;
    try {
        out.pixels.resize(std::size_t{4} * static_cast<std::size_t>(width) *
                          static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    for (int y = 0; y < height; ++y) {
        // Rows are stored from the bottom up.
        const std::size_t stored = static_cast<std::size_t>(height - 1 - y);
        const std::uint8_t* colours = bytes + colourAt + colourStride * stored;
        const std::uint8_t* mask = bytes + maskAt + maskStride * stored;
        std::uint8_t* to = &out.pixels[std::size_t{4} * static_cast<std::size_t>(width) *
                                       static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x, to += 4) {
            const std::uint8_t* bgr;
            std::uint8_t alpha = 255;
            if (bitCount <= 8) {
                const std::uint32_t index = PaletteIndex(colours, x, bitCount);
                static const std::uint8_t kBlack[3] = {0, 0, 0};
                bgr = index < paletteSize ? bytes + paletteAt + 4 * index : kBlack;
            } else {
                bgr = colours + static_cast<std::size_t>(x) * (bitCount / 8);
                if (alphaChannel)
                    alpha = bgr[3];
            }
            if (!alphaChannel && (mask[x / 8] >> (7 - x % 8) & 1))
                alpha = 0;
            to[0] = bgr[2];
            to[1] = bgr[1];
            to[2] = bgr[0];
            to[3] = alpha;
        }
    }
    return out;
}

} // namespace quarvel
