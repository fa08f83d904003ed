// Reading PNG icon images: each colour type and depth against known pixels, every filter and
// interlacing, transparency, and damaged streams refused.
#include "engine/PngReader.h"
#include "engine/PngWriter.h"
#include "support/IconData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <string>

using namespace quarvel;
using namespace quarvel::test;

namespace {

struct PngSpec {
    int width = 1, height = 1, depth = 8, colourType = 6;
    bool interlaced = false;
    int filter = 0; // the filter of every row; 5 cycles through 0 to 4
    Bytes palette;  // PLTE data
    Bytes trns;     // tRNS data
};

void PutBig32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void AddChunk(Bytes& png, const char* type, const Bytes& data) {
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig32(png, Crc32(&png[start], png.size() - start));
}

int Channels(int colourType) {
    return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
}

// Rows of `samples` (channels per pixel, full precision) packed at the depth, filter byte first.
// Each row is filtered with the spec's filter against the row above in the same pass.
Bytes PackRows(const PngSpec& spec, const std::vector<std::uint16_t>& samples, int x0, int y0,
               int dx, int dy) {
    const int channels = Channels(spec.colourType);
    const int bits = spec.depth * channels, bpp = bits < 8 ? 1 : bits / 8;
    const int w = spec.width > x0 ? (spec.width - x0 + dx - 1) / dx : 0;
    const int h = spec.height > y0 ? (spec.height - y0 + dy - 1) / dy : 0;
    Bytes out, above;
    if (w == 0 || h == 0)
        return out;
    for (int y = 0; y < h; ++y) {
        Bytes row((static_cast<std::size_t>(w) * bits + 7) / 8, 0);
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c) {
                const std::uint16_t s =
                    samples[((y0 + y * dy) * spec.width + x0 + x * dx) * channels + c];
                const int index = x * channels + c;
                if (spec.depth == 16) {
                    row[index * 2] = static_cast<std::uint8_t>(s >> 8);
                    row[index * 2 + 1] = static_cast<std::uint8_t>(s);
                } else {
                    const int bit = index * spec.depth;
                    row[bit / 8] |= static_cast<std::uint8_t>(s << (8 - spec.depth - bit % 8));
                }
            }
        const int filter = spec.filter == 5 ? y % 5 : spec.filter;
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

Bytes Deflate(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    EXPECT_EQ(compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
    out.resize(size);
    return out;
}

Bytes Header(const PngSpec& spec) {
    Bytes ihdr;
    PutBig32(ihdr, static_cast<std::uint32_t>(spec.width));
    PutBig32(ihdr, static_cast<std::uint32_t>(spec.height));
    ihdr.insert(ihdr.end(),
                {static_cast<std::uint8_t>(spec.depth), static_cast<std::uint8_t>(spec.colourType),
                 0, 0, static_cast<std::uint8_t>(spec.interlaced)});
    return ihdr;
}

Bytes Assemble(const PngSpec& spec, const Bytes& zdata, std::size_t idatChunks = 1) {
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AddChunk(png, "IHDR", Header(spec));
    if (!spec.palette.empty())
        AddChunk(png, "PLTE", spec.palette);
    if (!spec.trns.empty())
        AddChunk(png, "tRNS", spec.trns);
    const std::size_t part = zdata.size() / idatChunks + 1;
    for (std::size_t at = 0; at < zdata.size(); at += part)
        AddChunk(png, "IDAT",
                 Bytes(zdata.begin() + at, zdata.begin() + std::min(zdata.size(), at + part)));
    AddChunk(png, "IEND", {});
    return png;
}

Bytes RawRows(const PngSpec& spec, const std::vector<std::uint16_t>& samples) {
    if (!spec.interlaced)
        return PackRows(spec, samples, 0, 0, 1, 1);
    static const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    Bytes raw;
    for (const auto& p : kPasses) {
        const Bytes pass = PackRows(spec, samples, p[0], p[1], p[2], p[3]);
        raw.insert(raw.end(), pass.begin(), pass.end());
    }
    return raw;
}

Bytes MakePng(const PngSpec& spec, const std::vector<std::uint16_t>& samples) {
    return Assemble(spec, Deflate(RawRows(spec, samples)));
}

std::optional<RgbaImage> Decode(const Bytes& png) {
    return DecodePng(ByteView(png.data(), png.size()));
}

// Pseudo-random samples of the spec's depth.
std::vector<std::uint16_t> Noise(const PngSpec& spec, unsigned seed) {
    std::vector<std::uint16_t> samples(static_cast<std::size_t>(spec.width) * spec.height *
                                       Channels(spec.colourType));
    for (auto& s : samples) {
        seed = seed * 1103515245u + 12345u;
        s = static_cast<std::uint16_t>((seed >> 8) & ((1u << spec.depth) - 1));
    }
    return samples;
}

} // namespace

TEST(PngReader, ReadsEachColourTypeAndDepthAsKnownPixels) {
    struct Case {
        int colourType, depth;
        std::vector<std::uint16_t> samples; // three pixels in a row
        Bytes rgba;
    };
    // Four entries, more than a 1-bit image can index: the rest are there and unused.
    const Bytes palette = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    const std::vector<Case> cases = {
        {0, 1, {1, 0, 1}, {255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255}},
        {0, 2, {1, 2, 3}, {85, 85, 85, 255, 170, 170, 170, 255, 255, 255, 255, 255}},
        {0, 4, {0, 5, 15}, {0, 0, 0, 255, 85, 85, 85, 255, 255, 255, 255, 255}},
        {0, 8, {7, 128, 255}, {7, 7, 7, 255, 128, 128, 128, 255, 255, 255, 255, 255}},
        {0,
         16,
         {0x1234, 0xFF00, 0x00FF},
         {0x12, 0x12, 0x12, 255, 255, 255, 255, 255, 0, 0, 0, 255}},
        {2, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255}},
        {2,
         16,
         {0x0102, 0x0304, 0x0506, 0xA0A1, 0xB0B1, 0xC0C1, 0, 0, 0xFFFF},
         {1, 3, 5, 255, 0xA0, 0xB0, 0xC0, 255, 0, 0, 255, 255}},
        {3, 1, {1, 0, 1}, {40, 50, 60, 255, 10, 20, 30, 255, 40, 50, 60, 255}},
        {3, 2, {3, 2, 0}, {100, 110, 120, 255, 70, 80, 90, 255, 10, 20, 30, 255}},
        {3, 4, {2, 3, 1}, {70, 80, 90, 255, 100, 110, 120, 255, 40, 50, 60, 255}},
        {3, 8, {0, 1, 3}, {10, 20, 30, 255, 40, 50, 60, 255, 100, 110, 120, 255}},
        {4, 8, {9, 0, 200, 128, 255, 255}, {9, 9, 9, 0, 200, 200, 200, 128, 255, 255, 255, 255}},
        {4,
         16,
         {0x1000, 0x2000, 0xFFFF, 0, 0x8080, 0xFFFF},
         {0x10, 0x10, 0x10, 0x20, 255, 255, 255, 0, 0x80, 0x80, 0x80, 255}},
        {6, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {6,
         16,
         {0x0100, 0x0200, 0x0300, 0x0400, 0, 0, 0, 0, 0xFFFF, 0xEEEE, 0xDDDD, 0xCCCC},
         {1, 2, 3, 4, 0, 0, 0, 0, 0xFF, 0xEE, 0xDD, 0xCC}},
    };
    for (const Case& c : cases) {
        PngSpec spec;
        spec.width = 3;
        spec.colourType = c.colourType;
        spec.depth = c.depth;
        if (c.colourType == 3)
            spec.palette = palette;
        const auto image = Decode(MakePng(spec, c.samples));
        ASSERT_TRUE(image) << "type " << c.colourType << " depth " << c.depth;
        EXPECT_EQ(image->width, 3);
        EXPECT_EQ(image->height, 1);
        EXPECT_EQ(image->pixels, c.rgba) << "type " << c.colourType << " depth " << c.depth;
    }
}

TEST(PngReader, EveryFilterAndInterlacingGiveTheSamePixels) {
    // Odd sizes leave some Adam7 passes narrow or empty and pad the packed rows.
    for (const auto& [colourType, depth] :
         std::vector<std::pair<int, int>>{{6, 8}, {6, 16}, {0, 1}, {0, 4}, {2, 16}, {4, 8}}) {
        for (const auto& [width, height] :
             std::vector<std::pair<int, int>>{{13, 11}, {1, 1}, {3, 9}}) {
            PngSpec spec;
            spec.width = width;
            spec.height = height;
            spec.colourType = colourType;
            spec.depth = depth;
            const auto samples = Noise(spec, static_cast<unsigned>(width * 31 + depth));
            const auto plain = Decode(MakePng(spec, samples));
            ASSERT_TRUE(plain);
            for (const bool interlaced : {false, true})
                for (int filter = 0; filter <= 5; ++filter) {
                    spec.interlaced = interlaced;
                    spec.filter = filter;
                    const auto image = Decode(MakePng(spec, samples));
                    ASSERT_TRUE(image) << filter << interlaced;
                    EXPECT_EQ(image->pixels, plain->pixels)
                        << "type " << colourType << " depth " << depth << " filter " << filter
                        << (interlaced ? " interlaced " : " ") << width << "x" << height;
                }
        }
    }
}

TEST(PngReader, TransparencyChunkMakesPixelsTransparent) {
    PngSpec indexed;
    indexed.width = 3;
    indexed.colourType = 3;
    indexed.palette = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    indexed.trns = {0, 128}; // the third entry keeps full alpha
    auto image = Decode(MakePng(indexed, {0, 1, 2}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255}));

    PngSpec grey;
    grey.width = 2;
    grey.colourType = 0;
    grey.depth = 4;
    grey.trns = {0, 5};
    image = Decode(MakePng(grey, {5, 6}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{85, 85, 85, 0, 102, 102, 102, 255}));

    // A 16-bit key matches the whole sample, not its high byte.
    PngSpec rgb;
    rgb.width = 2;
    rgb.colourType = 2;
    rgb.depth = 16;
    rgb.trns = {0x12, 0x34, 0, 0, 0xFF, 0xFF};
    image = Decode(MakePng(rgb, {0x1234, 0, 0xFFFF, 0x1235, 0, 0xFFFF}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{0x12, 0, 255, 0, 0x12, 0, 255, 255}));
}

TEST(PngReader, ReadsWhatTheWriterWritesAndPngsSplitAcrossChunks) {
    RgbaImage source;
    source.width = 37;
    source.height = 5;
    for (int i = 0; i < source.width * source.height * 4; ++i)
        source.pixels.push_back(static_cast<std::uint8_t>(i * 7 + i / 5));
    const auto written = EncodePng(source);
    ASSERT_TRUE(written);
    const auto read = Decode(*written);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, 37);
    EXPECT_EQ(read->pixels, source.pixels);

    PngSpec spec;
    spec.width = 9;
    spec.height = 7;
    const auto samples = Noise(spec, 3);
    const auto whole = Decode(MakePng(spec, samples));
    const auto split = Decode(Assemble(spec, Deflate(RawRows(spec, samples)), 6));
    ASSERT_TRUE(whole && split);
    EXPECT_EQ(split->pixels, whole->pixels);
}

TEST(PngReader, RefusesDamagedAndTruncatedStreams) {
    PngSpec spec;
    spec.width = 5;
    spec.height = 4;
    const auto samples = Noise(spec, 9);
    const Bytes raw = RawRows(spec, samples);
    const Bytes good = MakePng(spec, samples);
    ASSERT_TRUE(Decode(good));

    // Cut anywhere before the image data ends.
    const std::size_t iendSize = 12;
    for (std::size_t size = 0; size < good.size() - iendSize; ++size)
        EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + size))) << size;

    // Any byte of the chunks changed breaks its CRC.
    for (std::size_t at = 8; at < good.size() - iendSize; at += 7) {
        Bytes bad = good;
        bad[at] ^= 0x40;
        EXPECT_FALSE(Decode(bad)) << at;
    }

    auto refused = [&](const PngSpec& s, const Bytes& rows, const char* why) {
        EXPECT_FALSE(Decode(Assemble(s, Deflate(rows)))) << why;
    };
    refused(spec, Bytes(raw.begin(), raw.end() - 1), "a row short");
    Bytes longer = raw;
    longer.push_back(0);
    refused(spec, longer, "a byte too many");
    Bytes badFilter = raw;
    badFilter[0] = 5;
    refused(spec, badFilter, "unknown filter");

    PngSpec odd = spec;
    odd.depth = 4; // RGBA has no 4-bit samples
    refused(odd, raw, "depth not allowed for the colour type");
    PngSpec noPalette = spec;
    noPalette.colourType = 3;
    refused(noPalette, raw, "indexed without a palette");
    PngSpec greyPalette = spec;
    greyPalette.colourType = 0;
    greyPalette.palette = {1, 2, 3};
    refused(greyPalette, PackRows(greyPalette, Noise(greyPalette, 1), 0, 0, 1, 1),
            "grey with a palette");
    PngSpec alphaKey = spec;
    alphaKey.trns = {0, 0};
    refused(alphaKey, raw, "tRNS beside an alpha channel");

    // A header that promises more pixels than a decoder should ever make, with little data.
    PngSpec huge = spec;
    huge.width = 20000;
    huge.height = 20000;
    refused(huge, Bytes(1000, 0), "oversized");
    PngSpec empty = spec;
    empty.width = 0;
    refused(empty, Bytes(), "no pixels");

    // The image data must follow the header: an IDAT-less stream and one with IEND first.
    Bytes noData = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AddChunk(noData, "IHDR", Header(spec));
    Bytes endFirst = noData;
    AddChunk(noData, "IEND", {});
    EXPECT_FALSE(Decode(noData));
    AddChunk(endFirst, "IEND", {});
    AddChunk(endFirst, "IDAT", Deflate(raw));
    EXPECT_FALSE(Decode(endFirst));

    // An index past a short palette is drawn opaque black.
    PngSpec indexed = spec;
    indexed.width = 2;
    indexed.height = 1;
    indexed.colourType = 3;
    indexed.palette = {9, 9, 9};
    const auto image = Decode(MakePng(indexed, {0, 200}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{9, 9, 9, 255, 0, 0, 0, 255}));
}
