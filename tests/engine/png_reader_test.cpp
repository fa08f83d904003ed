// Reading PNG icon images: each colour type and depth against known pixels, every filter and
// interlacing, transparency, and damaged streams refused.
#include "engine/PngReader.h"
#include "engine/PngWriter.h"
#include "support/PngBuilder.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

std::optional<RgbaImage> Decode(const Bytes& png) {
    return DecodePng(ByteView(png.data(), png.size()));
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
        PngLayout layout;
        layout.width = 3;
        layout.colourType = c.colourType;
        layout.depth = c.depth;
        if (c.colourType == 3)
            layout.palette = palette;
        const auto image = Decode(MakeTestPng(layout, c.samples));
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
            PngLayout layout;
            layout.width = width;
            layout.height = height;
            layout.colourType = colourType;
            layout.depth = depth;
            const auto samples = PngNoise(layout, static_cast<unsigned>(width * 31 + depth));
            const auto plain = Decode(MakeTestPng(layout, samples));
            ASSERT_TRUE(plain);
            for (const bool interlaced : {false, true})
                for (int filter = 0; filter <= 5; ++filter) {
                    layout.interlaced = interlaced;
                    layout.filter = filter;
                    const auto image = Decode(MakeTestPng(layout, samples));
                    ASSERT_TRUE(image) << filter << interlaced;
                    EXPECT_EQ(image->pixels, plain->pixels)
                        << "type " << colourType << " depth " << depth << " filter " << filter
                        << (interlaced ? " interlaced " : " ") << width << "x" << height;
                }
        }
    }
}

TEST(PngReader, FiltersOfFourBytePixelsOnWideRowsGiveTheStoredPixels) {
    // Rows of many pixels, of noise and of flat areas and ramps (where the predictions tie), in
    // both layouts of four bytes a pixel.
    for (const auto& [colourType, depth] : std::vector<std::pair<int, int>>{{6, 8}, {4, 16}}) {
        PngLayout layout;
        layout.width = 67;
        layout.height = 9;
        layout.colourType = colourType;
        layout.depth = depth;
        const auto noise = PngNoise(layout, 11);
        std::vector<std::uint16_t> ramps(noise.size());
        for (std::size_t i = 0; i < ramps.size(); ++i)
            ramps[i] = static_cast<std::uint16_t>(i < ramps.size() / 2 ? 200 : (i * 7) % 251);
        for (const auto* samples : {&noise, static_cast<const decltype(noise)*>(&ramps)}) {
            layout.filter = 0;
            const auto plain = Decode(MakeTestPng(layout, *samples));
            ASSERT_TRUE(plain);
            if (colourType == 6) {
                EXPECT_EQ(plain->pixels, Bytes(samples->begin(), samples->end()));
            }
            for (int filter = 1; filter <= 5; ++filter) {
                layout.filter = filter;
                const auto image = Decode(MakeTestPng(layout, *samples));
                ASSERT_TRUE(image) << filter;
                EXPECT_EQ(image->pixels, plain->pixels)
                    << "type " << colourType << " filter " << filter;
            }
        }
    }
}

TEST(PngReader, TransparencyChunkMakesPixelsTransparent) {
    PngLayout indexed;
    indexed.width = 3;
    indexed.colourType = 3;
    indexed.palette = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    indexed.trns = {0, 128}; // the third entry keeps full alpha
    auto image = Decode(MakeTestPng(indexed, {0, 1, 2}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255}));

    // A 1-bit image with a longer palette and alphas: only the entries it can index count.
    indexed.depth = 1;
    indexed.width = 2;
    indexed.trns = {10, 20, 30};
    image = Decode(MakeTestPng(indexed, {1, 0}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{4, 5, 6, 20, 1, 2, 3, 10}));

    PngLayout grey;
    grey.width = 2;
    grey.colourType = 0;
    grey.depth = 4;
    grey.trns = {0, 5};
    image = Decode(MakeTestPng(grey, {5, 6}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{85, 85, 85, 0, 102, 102, 102, 255}));

    // A 16-bit key matches the whole sample, not its high byte.
    PngLayout rgb;
    rgb.width = 2;
    rgb.colourType = 2;
    rgb.depth = 16;
    rgb.trns = {0x12, 0x34, 0, 0, 0xFF, 0xFF};
    image = Decode(MakeTestPng(rgb, {0x1234, 0, 0xFFFF, 0x1235, 0, 0xFFFF}));
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

    PngLayout layout;
    layout.width = 9;
    layout.height = 7;
    const auto samples = PngNoise(layout, 3);
    const auto whole = Decode(MakeTestPng(layout, samples));
    const auto split = Decode(AssemblePng(layout, DeflateBytes(PngRawRows(layout, samples)), 6));
    ASSERT_TRUE(whole && split);
    EXPECT_EQ(split->pixels, whole->pixels);
}

TEST(PngReader, RefusesDamagedAndTruncatedStreams) {
    PngLayout layout;
    layout.width = 5;
    layout.height = 4;
    const auto samples = PngNoise(layout, 9);
    const Bytes raw = PngRawRows(layout, samples);
    const Bytes good = MakeTestPng(layout, samples);
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

    auto refused = [&](const PngLayout& s, const Bytes& rows, const char* why) {
        EXPECT_FALSE(Decode(AssemblePng(s, DeflateBytes(rows)))) << why;
    };
    refused(layout, Bytes(raw.begin(), raw.end() - 1), "a row short");
    Bytes longer = raw;
    longer.push_back(0);
    refused(layout, longer, "a byte too many");
    Bytes badFilter = raw;
    badFilter[0] = 5;
    refused(layout, badFilter, "unknown filter");

    PngLayout odd = layout;
    odd.depth = 4; // RGBA has no 4-bit samples
    refused(odd, raw, "depth not allowed for the colour type");
    PngLayout noPalette = layout;
    noPalette.colourType = 3;
    refused(noPalette, raw, "indexed without a palette");
    PngLayout greyPalette = layout;
    greyPalette.colourType = 0;
    greyPalette.palette = {1, 2, 3};
    refused(greyPalette, PngRawRows(greyPalette, PngNoise(greyPalette, 1)), "grey with a palette");
    PngLayout alphaKey = layout;
    alphaKey.trns = {0, 0};
    refused(alphaKey, raw, "tRNS beside an alpha channel");

    // A header that promises more pixels than a decoder should ever make, with little data.
    PngLayout huge = layout;
    huge.width = 20000;
    huge.height = 20000;
    refused(huge, Bytes(1000, 0), "oversized");
    PngLayout empty = layout;
    empty.width = 0;
    refused(empty, Bytes(), "no pixels");

    // The image data must follow the header: an IDAT-less stream and one with IEND first.
    Bytes noData = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AddPngChunk(noData, "IHDR", PngHeaderData(layout));
    Bytes endFirst = noData;
    AddPngChunk(noData, "IEND", {});
    EXPECT_FALSE(Decode(noData));
    AddPngChunk(endFirst, "IEND", {});
    AddPngChunk(endFirst, "IDAT", DeflateBytes(raw));
    EXPECT_FALSE(Decode(endFirst));

    // An index past a short palette is drawn opaque black.
    PngLayout indexed = layout;
    indexed.width = 2;
    indexed.height = 1;
    indexed.colourType = 3;
    indexed.palette = {9, 9, 9};
    const auto image = Decode(MakeTestPng(indexed, {0, 200}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (Bytes{9, 9, 9, 255, 0, 0, 0, 255}));
}
