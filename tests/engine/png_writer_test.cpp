// PNG files of icon images: bitmap depths to RGBA with their transparency, PNG images copied,
// refusals that leave nothing behind, and the image that stands for an icon.
#include "engine/PngExport.h"
#include "engine/PngWriter.h"
#include "support/IconData.h"
#include "support/PngDecoder.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A bitmap icon image of 3 x 2 pixels (odd width: rows are padded, indices share bytes).
// `pixels` are given from the top: palette indices up to 8 bits, else 0xAARRGGBB; `mask` marks
// the transparent pixels.
constexpr int kW = 3, kH = 2;
Bytes Bitmap(int bitCount, const std::vector<std::uint32_t>& palette,
             const std::vector<std::uint32_t>& pixels, const std::vector<int>& mask,
             bool withMask = true) {
    const std::size_t colourStride = (kW * bitCount + 31) / 32 * 4, maskStride = 4;
    const std::size_t bits = 40 + 4 * palette.size();
    Bytes b(bits + colourStride * kH + (withMask ? maskStride * kH : 0), 0);
    Put32(b, 0, 40);
    Put32(b, 4, kW);
    Put32(b, 8, 2 * kH);
    b[12] = 1;
    b[14] = static_cast<std::uint8_t>(bitCount);
    Put32(b, 32, static_cast<std::uint32_t>(palette.size())); // biClrUsed: a short colour table
    for (std::size_t i = 0; i < palette.size(); ++i)
        Put32(b, 40 + 4 * i, palette[i]);
    for (int y = 0; y < kH; ++y) {
        const std::size_t row = static_cast<std::size_t>(kH - 1 - y); // stored bottom-up
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * kW + x)];
            std::uint8_t* at = &b[bits + colourStride * row];
            if (bitCount <= 8) {
                const int bit = x * bitCount;
                at[bit / 8] |= static_cast<std::uint8_t>(p << (8 - bitCount - bit % 8));
            } else {
                for (int k = 0; k < bitCount / 8; ++k)
                    at[x * bitCount / 8 + k] = static_cast<std::uint8_t>(p >> (8 * k));
            }
            if (withMask && mask[static_cast<std::size_t>(y * kW + x)])
                b[bits + colourStride * kH + maskStride * row] |=
                    static_cast<std::uint8_t>(0x80 >> x);
        }
    }
    return b;
}

std::vector<std::uint8_t> Rgba(const std::vector<std::uint32_t>& argb) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t p : argb)
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                    static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
    return out;
}

// The pixels of the PNG file written for `image`, decoded independently of the writer.
std::optional<DecodedPng> WrittenPixels(const TempFolder& dir, const Bytes& image) {
    const std::string path = dir.File("out.png");
    if (!WritePngFile(path.c_str(), ByteView(image.data(), image.size()), true))
        return std::nullopt;
    std::string error;
    auto png = DecodePng(ReadFileBytes(path), &error);
    EXPECT_TRUE(png) << error;
    return png;
}

} // namespace

TEST(PngWriter, BitmapsOfEveryDepthBecomeRgbaWithTheirTransparency) {
    TempFolder dir;
    const std::vector<std::uint32_t> palette = {0x000000, 0x102030, 0xA0B0C0, 0xFFEE00};
    const std::vector<int> mask = {1, 0, 0, 0, 0, 1};
    const std::vector<std::uint32_t> indexed = {0, 1, 2, 3, 1, 0};
    const std::vector<std::uint8_t> fromPalette =
        Rgba({0x00000000, 0xFF102030, 0xFFA0B0C0, 0xFFFFEE00, 0xFF102030, 0x00000000});
    for (int bits : {4, 8}) {
        const auto png = WrittenPixels(dir, Bitmap(bits, palette, indexed, mask));
        ASSERT_TRUE(png) << bits;
        EXPECT_EQ(png->width, kW);
        EXPECT_EQ(png->height, kH);
        EXPECT_EQ(png->rgba, fromPalette) << bits << " bits";
    }
    const auto mono = WrittenPixels(dir, Bitmap(1, {0x000000, 0xFFFFFF}, {1, 0, 1, 0, 1, 1}, mask));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->rgba,
              Rgba({0x00FFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0x00FFFFFF}));

    const std::vector<std::uint32_t> colours = {0x112233, 0x445566, 0x778899,
                                                0xAABBCC, 0xDDEEFF, 0x010203};
    const auto rgb = WrittenPixels(dir, Bitmap(24, {}, colours, mask));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->rgba,
              Rgba({0x00112233, 0xFF445566, 0xFF778899, 0xFFAABBCC, 0xFFDDEEFF, 0x00010203}));

    // A 32-bit image's alpha channel wins over its mask; one whose alpha is all zero takes it.
    std::vector<std::uint32_t> withAlpha = colours;
    withAlpha[0] |= 0xFF000000;
    withAlpha[1] |= 0x80000000;
    withAlpha[3] |= 0x01000000;
    const auto alpha = WrittenPixels(dir, Bitmap(32, {}, withAlpha, mask));
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->rgba,
              Rgba({0xFF112233, 0x80445566, 0x00778899, 0x01AABBCC, 0x00DDEEFF, 0x00010203}));
    const auto zeroAlpha = WrittenPixels(dir, Bitmap(32, {}, colours, mask));
    ASSERT_TRUE(zeroAlpha);
    EXPECT_EQ(zeroAlpha->rgba, rgb->rgba);
    const auto noMask = WrittenPixels(dir, Bitmap(32, {}, withAlpha, mask, false));
    ASSERT_TRUE(noMask) << "alpha needs no mask";
    EXPECT_EQ(noMask->rgba, alpha->rgba);
}

TEST(PngWriter, PngImagesAreCopiedAndRefusalsLeaveNothingBehind) {
    TempFolder dir;
    const Bytes png = MakePngImage(256, 256, 3);
    const std::string copy = dir.File("copy.png");
    ASSERT_TRUE(WritePngFile(copy.c_str(), ByteView(png.data(), png.size()), false));
    EXPECT_EQ(ReadFileBytes(copy), png);

    const std::vector<std::uint32_t> pixels(6, 0x00123456);
    const std::vector<int> mask(6, 0);
    Bytes compressed = Bitmap(24, {}, pixels, mask);
    Put32(compressed, 16, 1);
    Bytes sixteen = Bitmap(24, {}, pixels, mask);
    sixteen[14] = 16;
    const Bytes truncated = [&] {
        Bytes b = Bitmap(24, {}, pixels, mask);
        b.resize(b.size() - 1);
        return b;
    }();
    const Bytes zeroAlphaNoMask = Bitmap(32, {}, pixels, mask, false);
    Bytes huge = Bitmap(24, {}, pixels, mask);
    Put32(huge, 4, 1u << 20); // more pixels than any icon: refused before any read
    const std::string kept = dir.Write("kept.png", Bytes(7, 0x42));
    const Bytes* refused[] = {&compressed, &sixteen, &truncated, &zeroAlphaNoMask, &huge};
    for (const Bytes* bad : refused) {
        EXPECT_FALSE(WritePngFile(kept.c_str(), ByteView(bad->data(), bad->size()), true));
        EXPECT_EQ(ReadFileBytes(kept), Bytes(7, 0x42));
    }
    const Bytes good = Bitmap(24, {}, pixels, mask);
    EXPECT_FALSE(WritePngFile(kept.c_str(), ByteView(good.data(), good.size()), false))
        << "an existing file is replaced only when allowed";
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"copy.png", "kept.png"}));
}

TEST(PngExport, TheLargestImageStandsForTheIconAndTheDeepestAmongEquals) {
    CIconImageSet set;
    const Bytes images[] = {MakeBmpImage(16, 32), MakeBmpImage(48, 8), MakeBmpImage(48, 32, 1),
                            MakeBmpImage(48, 32, 2), MakeBmpImage(32, 32)};
    for (const Bytes& image : images) {
        IconSetEntry entry;
        entry.image = image;
        set.entries.push_back(entry);
    }
    EXPECT_EQ(LargestImage(set), 2);
    set.entries[2].image.resize(10); // unreadable facts: skipped
    EXPECT_EQ(LargestImage(set), 3);
    EXPECT_EQ(LargestImage(CIconImageSet{}), -1);

    const Bytes png = MakePngImage(256, 256);
    const auto facts = ReadImageFacts(ByteView(png.data(), png.size()));
    ASSERT_TRUE(facts);
    EXPECT_EQ(ImageSizeName(*facts), "256x256x32");
    EXPECT_EQ(ImageSizeName(*ReadImageFacts(ByteView(images[1].data(), images[1].size()))),
              "48x48x8");
}
