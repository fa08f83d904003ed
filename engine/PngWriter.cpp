// The PNG encoder: adaptive row filters, one zlib stream in one IDAT chunk.
#include "PngWriter.h"

#include "IconImage.h"
#include "platform/FileSystem.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace quarvel {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int kBytesPerPixel = 4;
constexpr int kFilterCount = 5; // None, Sub, Up, Average, Paeth
// Icons deflate as small at level 4 as at the default 6 (within 1 %), in four fifths of the time.
constexpr int kDeflateLevel = 4;

void AppendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char type[4], const std::uint8_t* data,
                 std::size_t size) {
    AppendBigEndian32(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0, &out[typeAt], static_cast<uInt>(4 + size));
    AppendBigEndian32(out, static_cast<std::uint32_t>(crc));
}

int Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up),
              toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// Row `row` filtered with `filter` into `out` (without the filter byte); `previous` is the row
// above, all zero for the first. Answers the sum of the residuals' magnitudes.
template <typename Predict>
std::uint64_t FilterRow(const std::uint8_t* row, const std::uint8_t* previous, std::size_t size,
                        std::uint8_t* out, Predict predict) {
    std::uint64_t cost = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
        const int upLeft = i >= kBytesPerPixel ? previous[i - kBytesPerPixel] : 0;
        const auto residual =
            static_cast<std::uint8_t>(row[i] - predict(left, previous[i], upLeft));
        out[i] = residual;
        cost += residual < 128 ? residual : 256 - residual;
    }
    return cost;
}

std::uint64_t FilterRow(int filter, const std::uint8_t* row, const std::uint8_t* previous,
                        std::size_t size, std::uint8_t* out) {
    switch (filter) {
    case 1:
        return FilterRow(row, previous, size, out, [](int left, int, int) { return left; });
    case 2:
        return FilterRow(row, previous, size, out, [](int, int up, int) { return up; });
    case 3:
        return FilterRow(row, previous, size, out,
                         [](int left, int up, int) { return (left + up) / 2; });
    case 4:
        return FilterRow(row, previous, size, out, Paeth);
    default:
        return FilterRow(row, previous, size, out, [](int, int, int) { return 0; });
    }
}

// The scanlines, each led by the filter whose output has the smallest sum of magnitudes (the
// usual heuristic: small residuals deflate best).
std::vector<std::uint8_t> FilteredScanlines(const RgbaImage& image) {
    const std::size_t stride = std::size_t{kBytesPerPixel} * static_cast<std::size_t>(image.width);
    const std::vector<std::uint8_t> zeros(stride, 0);
    std::vector<std::uint8_t> out((stride + 1) * static_cast<std::size_t>(image.height));
    std::vector<std::uint8_t> trial(stride);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = &image.pixels[stride * static_cast<std::size_t>(y)];
        const std::uint8_t* previous = y == 0 ? zeros.data() : row - stride;
        std::uint8_t* line = &out[(stride + 1) * static_cast<std::size_t>(y)];
        // The best so far stays in the line; a better trial replaces it.
        line[0] = 0;
        std::uint64_t bestCost = FilterRow(0, row, previous, stride, line + 1);
        for (int filter = 1; filter < kFilterCount; ++filter) {
            const std::uint64_t cost = FilterRow(filter, row, previous, stride, trial.data());
            if (cost < bestCost) {
                bestCost = cost;
                line[0] = static_cast<std::uint8_t>(filter);
                std::copy(trial.begin(), trial.end(), line + 1);
            }
        }
    }
    return out;
}

} // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != std::size_t{kBytesPerPixel} * static_cast<std::size_t>(image.width) *
                                   static_cast<std::size_t>(image.height))
        return std::nullopt;
    try {
        const std::vector<std::uint8_t> scanlines = FilteredScanlines(image);
        uLongf packedSize = compressBound(static_cast<uLong>(scanlines.size()));
        std::vector<std::uint8_t> packed(packedSize);
        if (compress2(packed.data(), &packedSize, scanlines.data(),
                      static_cast<uLong>(scanlines.size()), kDeflateLevel) != Z_OK)
            return std::nullopt;

        std::vector<std::uint8_t> out(kSignature, kSignature + sizeof kSignature);
        std::vector<std::uint8_t> header;
        AppendBigEndian32(header, static_cast<std::uint32_t>(image.width));
        AppendBigEndian32(header, static_cast<std::uint32_t>(image.height));
        // 8 bits per channel, RGBA, deflate, adaptive filtering, not interlaced.
        header.insert(header.end(), {8, 6, 0, 0, 0});
        AppendChunk(out, "IHDR", header.data(), header.size());
        AppendChunk(out, "IDAT", packed.data(), packedSize);
        AppendChunk(out, "IEND", nullptr, 0);
        return out;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<std::vector<std::uint8_t>> IconImageAsPng(const ByteView& image) {
    if (IsPngImage(image))
        return std::vector<std::uint8_t>(image.Data(), image.Data() + image.Size());
    const auto pixels = DecodeIconBitmap(image);
    return pixels ? EncodePng(*pixels) : std::nullopt;
}

bool WritePngFile(const char* path, const ByteView& image, bool overwrite) {
    const auto png = IconImageAsPng(image);
    if (!png)
        return false;
    platform::AtomicFileWriter writer;
    return writer.Create(path, overwrite) && writer.Write(png->data(), png->size()) &&
           writer.Commit();
}

} // namespace quarvel
