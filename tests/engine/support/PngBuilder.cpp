// PNG streams built sample by sample for the tests.
#include "PngBuilder.h"

#include "IconData.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>

namespace quarvel::test {

namespace {

void PutBig32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

int Channels(int colourType) {
    return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
}

// Rows of `samples` (channels per pixel, full precision) packed at the depth, filter byte first.
// Each row is filtered with the layout's filter against the row above in the same pass.
Bytes PackRows(const PngLayout& layout, const std::vector<std::uint16_t>& samples, int x0, int y0,
               int dx, int dy) {
    const int channels = Channels(layout.colourType);
    const int bits = layout.depth * channels, bpp = bits < 8 ? 1 : bits / 8;
    const int w = layout.width > x0 ? (layout.width - x0 + dx - 1) / dx : 0;
    const int h = layout.height > y0 ? (layout.height - y0 + dy - 1) / dy : 0;
    Bytes out, above;
    if (w == 0 || h == 0)
        return out;
    for (int y = 0; y < h; ++y) {
        Bytes row((static_cast<std::size_t>(w) * bits + 7) / 8, 0);
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c) {
                const std::uint16_t s =
                    samples[((y0 + y * dy) * layout.width + x0 + x * dx) * channels + c];
                const int index = x * channels + c;
                if (layout.depth == 16) {
                    row[index * 2] = static_cast<std::uint8_t>(s >> 8);
                    row[index * 2 + 1] = static_cast<std::uint8_t>(s);
                } else {
                    const int bit = index * layout.depth;
                    row[bit / 8] |= static_cast<std::uint8_t>(s << (8 - layout.depth - bit % 8));
                }
            }
        const int filter = layout.filter == 5 ? y % 5 : layout.filter;
        out.push_back(static_cast<std::uint8_t>(filter));
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int a = i >= static_cast<std::size_t>(bpp) ? row[i - bpp] : 0;
            const int b = above.empty() ? 0 : above[i];
            const int c = above.empty() || i < static_cast<std::size_t>(bpp) ? 0 : above[i - bpp];
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b),
                      pc = std::abs(p - c);
            const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            const int predicted[5] = {0, a, b, (a + b) / 2, paeth};
            out.push_back(static_cast<std::uint8_t>(row[i] - predicted[filter]));
        }
        above = row;
    }
    return out;
}

} // namespace

void AddPngChunk(Bytes& png, const char* type, const Bytes& data) {
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig32(png, Crc32(&png[start], png.size() - start));
}

Bytes DeflateBytes(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    if (compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        return {};
    out.resize(size);
    return out;
}

Bytes PngHeaderData(const PngLayout& layout) {
    Bytes ihdr;
    PutBig32(ihdr, static_cast<std::uint32_t>(layout.width));
    PutBig32(ihdr, static_cast<std::uint32_t>(layout.height));
    ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(layout.depth),
                             static_cast<std::uint8_t>(layout.colourType), 0, 0,
                             static_cast<std::uint8_t>(layout.interlaced)});
    return ihdr;
}

Bytes AssemblePng(const PngLayout& layout, const Bytes& zdata, std::size_t idatChunks) {
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AddPngChunk(png, "IHDR", PngHeaderData(layout));
    if (!layout.palette.empty())
        AddPngChunk(png, "PLTE", layout.palette);
    if (!layout.trns.empty())
        AddPngChunk(png, "tRNS", layout.trns);
    const std::size_t part = zdata.size() / idatChunks + 1;
    for (std::size_t at = 0; at < zdata.size(); at += part)
        AddPngChunk(png, "IDAT",
                    Bytes(zdata.begin() + at, zdata.begin() + std::min(zdata.size(), at + part)));
    AddPngChunk(png, "IEND", {});
    return png;
}

Bytes PngRawRows(const PngLayout& layout, const std::vector<std::uint16_t>& samples) {
    if (!layout.interlaced)
        return PackRows(layout, samples, 0, 0, 1, 1);
    static const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    Bytes raw;
    for (const auto& p : kPasses) {
        const Bytes pass = PackRows(layout, samples, p[0], p[1], p[2], p[3]);
        raw.insert(raw.end(), pass.begin(), pass.end());
    }
    return raw;
}

Bytes MakeTestPng(const PngLayout& layout, const std::vector<std::uint16_t>& samples) {
    return AssemblePng(layout, DeflateBytes(PngRawRows(layout, samples)));
}

std::vector<std::uint16_t> PngNoise(const PngLayout& layout, unsigned seed) {
    std::vector<std::uint16_t> samples(static_cast<std::size_t>(layout.width) * layout.height *
                                       Channels(layout.colourType));
    for (auto& s : samples) {
        seed = seed * 1103515245u + 12345u;
        s = static_cast<std::uint16_t>((seed >> 8) & ((1u << layout.depth) - 1));
    }
    return samples;
}

} // namespace quarvel::test
