// Decoding PNG streams: chunks walked with every length checked, the image data inflated into a
// buffer of exactly the size the header promises, rows unfiltered, samples turned into RGBA.
#include "PngReader.h"

#include "IconImage.h"
#include "ImageLimits.h"
#include "PngUnfilter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace quarvel {

namespace {

constexpr std::uint64_t kSignatureSize = 8;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF; // the format's own bound

struct Chunk {
    char type[5] = {};
    ByteView data;
    std::uint64_t at = 0;   // offset of its length
    std::uint64_t next = 0; // offset of the following chunk
};

struct Header {
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    bool interlaced = false;
};

// Everything read before the pixels: the header, palette and transparency.
struct Ancillary {
    std::array<std::uint8_t, 256 * 4> palette{}; // RGBA, alpha from tRNS
    int paletteSize = 0;
    bool hasKey = false;                   // grey or RGB value that is transparent (tRNS)
    std::array<std::uint16_t, 3> key = {}; // grey in key[0], else red, green, blue
};

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}
std::uint16_t BigEndian16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

// The chunk at `at` when its length, type, data and CRC lie inside the stream and the CRC holds.
std::optional<Chunk> ReadChunk(const ByteView& png, std::uint64_t at) {
    if (!png.Readable(at, 8))
        return std::nullopt;
    const std::uint32_t length = BigEndian32(png.Data() + at);
    if (length > kMaxChunkLength || !png.Readable(at + 8, std::uint64_t{length} + 4))
        return std::nullopt;
    const std::uint8_t* typeAndData = png.Data() + at + 4;
    const uLong crc = crc32(crc32(0, nullptr, 0), typeAndData, length + 4);
    if (crc != BigEndian32(typeAndData + 4 + length))
        return std::nullopt;
    Chunk chunk;
    std::memcpy(chunk.type, typeAndData, 4);
    chunk.data = ByteView(typeAndData + 4, length);
    chunk.at = at;
    chunk.next = at + 12 + length;
    return chunk;
}

bool Is(const Chunk& chunk, const char* type) {
    return std::memcmp(chunk.type, type, 4) == 0;
}

int Channels(int colourType) {
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

bool DepthAllowed(int colourType, int depth) {
    switch (colourType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

std::optional<Header> ReadHeader(const Chunk& chunk) {
    if (!Is(chunk, "IHDR") || chunk.data.Size() != 13)
        return std::nullopt;
    const std::uint8_t* d = chunk.data.Data();
    Header header{BigEndian32(d), BigEndian32(d + 4), d[8], d[9], d[12] == 1};
    if (header.width == 0 || header.height == 0 ||
        std::uint64_t{header.width} * header.height > kMaxDecodedPixels ||
        !DepthAllowed(header.colourType, header.bitDepth) || d[10] != 0 || d[11] != 0 || d[12] > 1)
        return std::nullopt;
    return header;
}

bool ReadPalette(const Chunk& chunk, const Header& header, Ancillary& extra) {
    const std::size_t size = chunk.data.Size();
    if (header.colourType == 0 || header.colourType == 4 || extra.paletteSize != 0 || size == 0 ||
        size % 3 != 0 || size / 3 > 256)
        return false;
    // Entries past what the depth can index are never used; writers do store full palettes.
    const std::size_t usable = header.colourType == 3 ? std::size_t{1} << header.bitDepth : 256;
    extra.paletteSize = static_cast<int>(std::min(size / 3, usable));
    for (int i = 0; i < extra.paletteSize; ++i) {
        std::memcpy(&extra.palette[i * 4], chunk.data.Data() + i * 3, 3);
        extra.palette[i * 4 + 3] = 255;
    }
    return true;
}

bool ReadTransparency(const Chunk& chunk, const Header& header, Ancillary& extra) {
    const std::uint8_t* d = chunk.data.Data();
    const std::size_t size = chunk.data.Size();
    switch (header.colourType) {
    case 3:
        if (extra.paletteSize == 0)
            return false;
        // Alphas for entries past the palette are never used, as those entries are not.
        for (std::size_t i = 0; i < std::min(size, static_cast<std::size_t>(extra.paletteSize));
             ++i)
            extra.palette[i * 4 + 3] = d[i];
        return true;
    case 0:
    case 2:
        if (size != static_cast<std::size_t>(2 * Channels(header.colourType)))
            return false;
        for (int c = 0; c < Channels(header.colourType); ++c)
            extra.key[c] = BigEndian16(d + 2 * c);
        extra.hasKey = true;
        return true;
    default:
        return false; // the types with an alpha channel have no tRNS
    }
}

// One pass of the image (the whole image when it is not interlaced).
struct Pass {
    int x0, y0, dx, dy;
};
constexpr Pass kWholeImage = {0, 0, 1, 1};
constexpr Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

std::uint64_t Span(std::uint32_t size, int start, int step) {
    return size > static_cast<std::uint32_t>(start) ? (size - start + step - 1) / step : 0;
}

// The bytes of one row of `width` pixels, without its filter byte.
std::uint64_t RowBytes(std::uint64_t width, int bitsPerPixel) {
    return (width * bitsPerPixel + 7) / 8;
}

// The inflated size of the image data: each row of each non-empty pass with its filter byte.
std::uint64_t RawSize(const Header& header, int bitsPerPixel) {
    std::uint64_t total = 0;
    const Pass* passes = header.interlaced ? kAdam7 : &kWholeImage;
    for (int p = 0; p < (header.interlaced ? 7 : 1); ++p) {
        const std::uint64_t w = Span(header.width, passes[p].x0, passes[p].dx);
        const std::uint64_t h = Span(header.height, passes[p].y0, passes[p].dy);
        if (w != 0 && h != 0)
            total += h * (1 + RowBytes(w, bitsPerPixel));
    }
    return total;
}

// Inflates the consecutive IDAT chunks from `at` into exactly `size` bytes at `raw`; false when
// the stream is damaged, ends early or holds more.
bool InflateImageData(const ByteView& png, std::uint64_t at, std::uint8_t* raw, std::size_t size) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_out = raw;
    stream.avail_out = static_cast<uInt>(size);
    int status = Z_OK;
    for (auto chunk = ReadChunk(png, at); chunk && Is(*chunk, "IDAT") && status == Z_OK;
         chunk = ReadChunk(png, chunk->next)) {
        stream.next_in = const_cast<Bytef*>(chunk->data.Data());
        stream.avail_in = static_cast<uInt>(chunk->data.Size());
        while (stream.avail_in != 0 && status == Z_OK) {
            status = inflate(&stream, Z_NO_FLUSH);
            // No room left while the stream goes on: it holds more than the rows.
            if (status == Z_BUF_ERROR ||
                (status == Z_OK && stream.avail_out == 0 && stream.avail_in != 0))
                status = Z_DATA_ERROR;
        }
    }
    const bool whole = status == Z_STREAM_END && stream.avail_out == 0;
    inflateEnd(&stream);
    return whole;
}

// Sample `index` of a row of samples `depth` bits each, at full precision.
std::uint16_t Sample(const std::uint8_t* row, std::uint64_t index, int depth) {
    if (depth == 16)
        return BigEndian16(row + index * 2);
    if (depth == 8)
        return row[index];
    const std::uint64_t bit = index * depth;
    return static_cast<std::uint16_t>((row[bit / 8] >> (8 - depth - bit % 8)) &
                                      ((1u << depth) - 1));
}

// A sample of the depth scaled to 8 bits.
std::uint8_t To8(std::uint16_t sample, int depth) {
    if (depth == 16)
        return static_cast<std::uint8_t>(sample >> 8);
    return static_cast<std::uint8_t>(sample * 255 / ((1u << depth) - 1));
}

void StorePixel(const std::uint8_t* row, std::uint64_t x, const Header& header,
                const Ancillary& extra, std::uint8_t* out) {
    const int depth = header.bitDepth;
    const int channels = Channels(header.colourType);
    std::uint16_t s[4];
    for (int c = 0; c < channels; ++c)
        s[c] = Sample(row, x * channels + c, depth);
    switch (header.colourType) {
    case 0:
        out[0] = out[1] = out[2] = To8(s[0], depth);
        out[3] = extra.hasKey && s[0] == extra.key[0] ? 0 : 255;
        break;
    case 2:
        for (int c = 0; c < 3; ++c)
            out[c] = To8(s[c], depth);
        out[3] =
            extra.hasKey && s[0] == extra.key[0] && s[1] == extra.key[1] && s[2] == extra.key[2]
                ? 0
                : 255;
        break;
    case 3:
        if (s[0] < extra.paletteSize) {
            std::memcpy(out, &extra.palette[s[0] * 4], 4);
        } else { // an index past the palette: opaque black, as browsers draw it
            out[0] = out[1] = out[2] = 0;
            out[3] = 255;
        }
        break;
    case 4:
        out[0] = out[1] = out[2] = To8(s[0], depth);
        out[3] = To8(s[1], depth);
        break;
    default:
        for (int c = 0; c < 4; ++c)
            out[c] = To8(s[c], depth);
        break;
    }
}

// Unfilters each pass of the raw data and places its pixels into the image.
bool StorePasses(std::uint8_t* raw, const Header& header, const Ancillary& extra, int bitsPerPixel,
                 RgbaImage& image) {
    const std::size_t bpp = static_cast<std::size_t>(bitsPerPixel < 8 ? 1 : bitsPerPixel / 8);
    const Pass* passes = header.interlaced ? kAdam7 : &kWholeImage;
    const bool straightRows = header.colourType == 6 && header.bitDepth == 8;
    std::uint8_t* at = raw;
    for (int p = 0; p < (header.interlaced ? 7 : 1); ++p) {
        const Pass& pass = passes[p];
        const std::uint64_t w = Span(header.width, pass.x0, pass.dx);
        const std::uint64_t h = Span(header.height, pass.y0, pass.dy);
        if (w == 0 || h == 0)
            continue;
        const std::size_t rowBytes = static_cast<std::size_t>(RowBytes(w, bitsPerPixel));
        const std::vector<std::uint8_t> zeros(rowBytes, 0);
        const std::uint8_t* above = zeros.data();
        for (std::uint64_t y = 0; y < h; ++y) {
            std::uint8_t* row = at + 1;
            if (!UnfilterRow(at[0], row, above, rowBytes, bpp))
                return false;
            const std::uint64_t imageY = pass.y0 + y * pass.dy;
            std::uint8_t* out = &image.pixels[imageY * header.width * 4];
            if (straightRows && pass.dx == 1) // whole rows already in the target's layout
                std::memcpy(out, row, rowBytes);
            else
                for (std::uint64_t x = 0; x < w; ++x)
                    StorePixel(row, x, header, extra, out + (pass.x0 + x * pass.dx) * 4);
            above = row;
            at += 1 + rowBytes;
        }
    }
    return true;
}

} // namespace

bool DecodePngInto(const ByteView& png, RgbaImage& image, std::vector<std::uint8_t>& raw) {
    if (!IsPngImage(png))
        return false;
    auto chunk = ReadChunk(png, kSignatureSize);
    const auto header = chunk ? ReadHeader(*chunk) : std::nullopt;
    if (!header)
        return false;

    Ancillary extra;
    for (chunk = ReadChunk(png, chunk->next); chunk && !Is(*chunk, "IDAT");
         chunk = ReadChunk(png, chunk->next)) {
        if (Is(*chunk, "PLTE") ? !ReadPalette(*chunk, *header, extra)
            : Is(*chunk, "tRNS")
                ? !ReadTransparency(*chunk, *header, extra)
                // Any other chunk the image cannot be read without (critical: upper-case first
                // letter), IEND or a second IHDR among them, comes before the data: refused.
                : (chunk->type[0] & 0x20) == 0)
            return false;
    }
    if (!chunk || (header->colourType == 3 && extra.paletteSize == 0))
        return false;

    const int bitsPerPixel = header->bitDepth * Channels(header->colourType);
    // `raw` only grows, so it is cleared only where it does.
    const std::size_t rawSize = static_cast<std::size_t>(RawSize(*header, bitsPerPixel));
    if (raw.size() < rawSize)
        raw.resize(rawSize);
    if (!InflateImageData(png, chunk->at, raw.data(), rawSize))
        return false;

    image.width = static_cast<int>(header->width);
    image.height = static_cast<int>(header->height);
    image.pixels.resize(std::uint64_t{header->width} * header->height * 4);
    return StorePasses(raw.data(), *header, extra, bitsPerPixel, image);
}

std::optional<RgbaImage> DecodePng(const ByteView& png) {
    RgbaImage image;
    std::vector<std::uint8_t> raw;
    if (!DecodePngInto(png, image, raw))
        return std::nullopt;
    return image;
}

} // namespace quarvel
