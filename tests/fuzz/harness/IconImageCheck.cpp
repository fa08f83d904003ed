// The icon image target: the bytes decoded as one stored image (a PNG also with its chunks' CRCs
// mended, so that mutations reach the reader behind them) and rendered at the cell sides, and
// as an .ico file whose image for each side is chosen and rendered.
#include "FuzzChecks.h"

#include "engine/IcoDirectory.h"
#include "engine/IconImage.h"
#include "engine/IconSizing.h"
#include "engine/ImageLimits.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace quarvel::fuzz {

namespace {

constexpr int kSides[] = {16, 32, 48, 96, 256};

// The bytes with each chunk's CRC computed anew, as far as the chunks lie inside them.
std::vector<std::uint8_t> WithMendedCrcs(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> png(data, data + size);
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint64_t length =
            (std::uint64_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        if (length > png.size() - at - 12)
            break;
        const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i)
            png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
    return png;
}

std::string CheckPixels(const RgbaImage& image, const char* what) {
    if (image.width <= 0 || image.height <= 0 ||
        std::uint64_t{static_cast<std::uint32_t>(image.width)} *
                static_cast<std::uint32_t>(image.height) >
            kMaxDecodedPixels ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        return std::string(what) + ": pixels that do not match the size, or too many";
    return "";
}

// The image rendered at each side: decoded the same, never wider than the side, scaled down to
// exactly it when wider, every alpha within the range of the decoded image's, and the same when
// rendered in buffers kept from input to input, as the icon list keeps them.
std::string CheckRenders(const ByteView& image) {
    static RenderBuffers kept;
    const auto decoded = DecodeIconImage(image);
    if (!decoded)
        return "";
    if (std::string problem = CheckPixels(*decoded, "decoded image"); !problem.empty())
        return problem;
    std::uint8_t low = 255, high = 0;
    for (std::size_t i = 3; i < decoded->pixels.size(); i += 4) {
        low = std::min(low, decoded->pixels[i]);
        high = std::max(high, decoded->pixels[i]);
    }
    for (const int side : kSides) {
        const auto rendered = RenderImageAtSide(image, side);
        if (!rendered)
            return "an image that decodes cannot be rendered at " + std::to_string(side);
        const RgbaImage* again = RenderImageAtSide(image, side, kept);
        if (!again || again->width != rendered->width || again->height != rendered->height ||
            again->pixels != rendered->pixels)
            return "rendered in kept buffers differently at " + std::to_string(side);
        if (std::string problem = CheckPixels(*rendered, "rendered image"); !problem.empty())
            return problem;
        if (rendered->width != std::min(side, decoded->width) || rendered->height > decoded->height)
            return "rendered at " + std::to_string(side) + " to a wrong size";
        if (decoded->width <= side && rendered->pixels != decoded->pixels)
            return "an image no wider than the side is not rendered as it is";
        for (std::size_t i = 3; i < rendered->pixels.size(); i += 4)
            if (rendered->pixels[i] < low || rendered->pixels[i] > high)
                return "the downscale made an alpha outside the image's own";
    }
    return "";
}

// The choice in an .ico directory: a usable entry of the side's width, else a wider one scaled,
// else a narrower one as it is; its bytes are the entry's image.
std::string CheckIcoChoices(const std::uint8_t* data, std::size_t size) {
    const ByteView file(data, size);
    const auto directory = IcoDirectory::Parse(file);
    if (!directory)
        return "";
    for (const int side : kSides) {
        const auto chosen = ChooseIcoImageForSide(*directory, side);
        if (!chosen)
            continue;
        const SideChoice& c = chosen->choice;
        const auto image =
            c.entry < directory->EntriesInFile() ? directory->Image(c.entry) : std::nullopt;
        if (!image || image->Data() != chosen->image.Data() ||
            EntryImageWidth(directory->Entry(c.entry), *image) != c.width || c.width <= 0 ||
            c.scaled != (c.width > side))
            return "the image chosen for " + std::to_string(side) + " is not the entry's";
        if (std::string problem = CheckRenders(chosen->image); !problem.empty())
            return problem;
    }
    return "";
}

} // namespace

std::string CheckIconImage(const std::uint8_t* data, std::size_t size, const std::string&) {
    const ByteView bytes(data, size);
    std::string problem = CheckRenders(bytes);
    if (problem.empty() && IsPngImage(bytes)) {
        const auto mended = WithMendedCrcs(data, size);
        problem = CheckRenders(ByteView(mended.data(), mended.size()));
    }
    return problem.empty() ? CheckIcoChoices(data, size) : problem;
}

} // namespace quarvel::fuzz
