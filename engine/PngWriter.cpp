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
    const auto put = [&](std::size_t i, int predicted) {
        const auto residual = static_cast<std::uint8_t>(row[i] - predicted);
        out[i] = residual;
        cost += static_cast<std::uint64_t>(std::abs(static_cast<std::int8_t>(residual)));
    };
    // The first pixel has nothing on its left; the loop after it needs no test.
    for (std::size_t i = 0; i < kBytesPerPixel && i < size; ++i)
        put(i, predict(0, previous[i], 0));
    for (std::size_t i = kBytesPerPixel; i < size; ++i)
        put(i, predict(row[i - kBytesPerPixel], previous[i], previous[i - kBytesPerPixel]));
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

// One deflate state per thread, reset for each image: a state takes a few hundred kilobytes,
// which made anew for every image of a batch cost more than the deflating itself.
class Deflater {
public:
    Deflater() { ready_ = deflateInit(&stream_, kDeflateLevel) == Z_OK; }
    ~Deflater() {
        if (ready_)
            deflateEnd(&stream_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // One complete zlib stream of `in`.
    bool Pack(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out) {
        if (!ready_ || deflateReset(&stream_) != Z_OK)
            return false;
        out.resize(deflateBound(&stream_, static_cast<uLong>(in.size())));
        stream_.next_in = const_cast<Bytef*>(in.data());
        stream_.avail_in = static_cast<uInt>(in.size());
        stream_.next_out = out.data();
        stream_.avail_out = static_cast<uInt>(out.size());
        if (deflate(&stream_, Z_FINISH) != Z_STREAM_END)
            return false;
        out.resize(stream_.total_out);
        return true;
    }

private:
    z_stream stream_{};
    bool ready_ = false;
};

bool Deflate(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out) {
    // Scanlines of at most kMaxDecodedPixels RGBA pixels fit zlib's 32-bit counts.
    thread_local Deflater deflater;
    return deflater.Pack(in, out);
}

} // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != std::size_t{kBytesPerPixel} * static_cast<std::size_t>(image.width) *
                                   static_cast<std::size_t>(image.height))
        return std::nullopt;
    try {
        const std::vector<std::uint8_t> scanlines = FilteredScanlines(image);
        std::vector<std::uint8_t> packed;
        if (!Deflate(scanlines, packed))
            return std::nullopt;

        std::vector<std::uint8_t> out(kSignature, kSignature + sizeof kSignature);
        std::vector<std::uint8_t> header;
        AppendBigEndian32(header, static_cast<std::uint32_t>(image.width));
        AppendBigEndian32(header, static_cast<std::uint32_t>(image.height));
        // 8 bits per channel, RGBA, deflate, adaptive filtering, not interlaced.
        header.insert(header.end(), {8, 6, 0, 0, 0});
        AppendChunk(out, "IHDR", header.data(), header.size());
        AppendChunk(out, "IDAT", packed.data(), packed.size());
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
