// Icons at any side: the image chosen for each side, the area-averaging downscale, and the
// pixels and words made for a cell.
#include "engine/IconImage.h"
#include "engine/IconImageFinder.h"
#include "engine/IconSizing.h"
#include "engine/ImageScaler.h"
#include "engine/PEFile.h"
#include "engine/PngWriter.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

using namespace quarvel;
using namespace quarvel::test;

namespace {

RgbaImage Filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                 std::uint8_t a) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i)
        image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

const std::uint8_t* PixelAt(const RgbaImage& image, int x, int y) {
    return &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4];
}

Bytes PngOf(const RgbaImage& image) {
    const auto png = EncodePng(image);
    EXPECT_TRUE(png);
    return png ? *png : Bytes();
}

CIconImageSet SetOf(const std::vector<std::pair<int, Bytes>>& images, bool zeroWidths = false) {
    CIconImageSet set;
    for (const auto& [bitCount, image] : images) {
        IconSetEntry entry;
        const auto width = ImageWidth(ByteView(image.data(), image.size()));
        entry.bWidth = static_cast<std::uint8_t>(zeroWidths || *width >= 256 ? 0 : *width);
        entry.wBitCount = static_cast<std::uint16_t>(bitCount);
        entry.image = image;
        set.entries.push_back(entry);
    }
    return set;
}

} // namespace

TEST(IconSizing, ChoosesTheImageForEachSide) {
    // Widths 16, 32 (4 and 32 bits, then 32 bits again), 48, 256 (width byte 0).
    const std::vector<SideCandidate> icon = {{16, 32}, {32, 4}, {32, 32},
                                             {32, 32}, {48, 8}, {256, 32}};
    auto chosen = [&](int side) {
        const auto c = ChooseForSide(icon, side);
        return c ? std::make_tuple(c->entry, c->width, c->scaled) : std::make_tuple(-1, 0, false);
    };
    EXPECT_EQ(chosen(32), std::make_tuple(2, 32, false)) << "the deepest, the first of equals";
    EXPECT_EQ(chosen(16), std::make_tuple(0, 16, false));
    EXPECT_EQ(chosen(24), std::make_tuple(2, 32, true)) << "the narrowest wider image, scaled";
    EXPECT_EQ(chosen(96), std::make_tuple(5, 256, true));
    EXPECT_EQ(chosen(8), std::make_tuple(0, 16, true));

    const std::vector<SideCandidate> small = {{16, 8}, {48, 4}, {48, 8}, {0, 32}};
    const auto narrower = ChooseForSide(small, 96);
    ASSERT_TRUE(narrower);
    EXPECT_EQ(narrower->entry, 2) << "only smaller images: the widest, never scaled up";
    EXPECT_EQ(narrower->width, 48);
    EXPECT_FALSE(narrower->scaled);

    EXPECT_FALSE(ChooseForSide({{0, 32}, {-1, 8}}, 32)) << "nothing usable";
    EXPECT_FALSE(ChooseForSide(icon, 0));
    EXPECT_FALSE(ChooseForSide({}, 32));
}

TEST(IconSizing, RealWidthsOfEntriesWithWidthByteZero) {
    const Bytes png300 = PngOf(Filled(300, 300, 1, 2, 3, 255));
    const Bytes png64 = PngOf(Filled(64, 64, 1, 2, 3, 255));
    const Bytes bmp = MakeBmpImage(32, 32);
    // Every directory width 0: bitmaps count as 256, PNGs as their header says.
    const CIconImageSet set = SetOf({{32, bmp}, {32, png300}, {32, png64}}, true);
    EXPECT_EQ(EntryImageWidths(set), (std::vector<int>{256, 300, 64}));

    const auto at96 = ChooseImageForSide(set, 96);
    ASSERT_TRUE(at96);
    EXPECT_EQ(at96->entry, 0);
    EXPECT_EQ(at96->width, 256);
    EXPECT_TRUE(at96->scaled);
    EXPECT_EQ(ChooseImageForSide(set, 64)->entry, 2) << "a PNG's own width matches";
    EXPECT_EQ(ChooseImageForSide(set, 280)->entry, 1);

    // A non-zero width byte is taken as it is; a PNG whose header cannot be read is passed over.
    IconEntryFields fields;
    fields.bWidth = 48;
    EXPECT_EQ(EntryImageWidth(fields, ByteView(png300.data(), png300.size())), 48);
    fields.bWidth = 0;
    EXPECT_EQ(EntryImageWidth(fields, ByteView(png300.data(), 12)), 0);
}

TEST(IconSizing, ChoosesInIcoFilesAndGroupIcons) {
    const Bytes b16 = MakeBmpImage(16, 32), b48 = MakeBmpImage(48, 32);
    const Bytes png = PngOf(Filled(256, 256, 9, 9, 9, 255));
    const std::vector<Bytes> images = {b16, b48, png};
    const Bytes ico = MakeIcoFile(
        {EntryFor(b16, 16, 32, 0), EntryFor(b48, 48, 32, 0), EntryFor(png, 256, 32, 0)}, images);
    const auto directory = IcoDirectory::Parse(ByteView(ico.data(), ico.size()));
    ASSERT_TRUE(directory);
    auto chosen = ChooseIcoImageForSide(*directory, 96);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->choice.entry, 2);
    EXPECT_TRUE(chosen->choice.scaled);
    EXPECT_EQ(chosen->image.Size(), png.size());

    // The 256 image cut off by the end of the file: 96 falls back to the 48 as it is.
    const Bytes cut(ico.begin(), ico.end() - 10);
    const auto cutDirectory = IcoDirectory::Parse(ByteView(cut.data(), cut.size()));
    chosen = ChooseIcoImageForSide(*cutDirectory, 96);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->choice.entry, 1);
    EXPECT_FALSE(chosen->choice.scaled);
    EXPECT_EQ(std::vector<std::uint8_t>(chosen->image.Data(), chosen->image.Data() + 4),
              Bytes(b48.begin(), b48.begin() + 4));

    ResourceTree tree;
    const Bytes group = AddIconGroup(tree, 1, 1033, images, {16, 48, 256}, {32, 32, 32}, 20);
    TempFolder folder;
    const std::string path = folder.Write("lib.dll", BuildImageWithResources(tree));
    CPEFile file(path.c_str());
    IconImageFinder finder(file, 1033);
    const auto parsed = GroupIcon::Parse(ByteView(group.data(), group.size()));
    ASSERT_TRUE(parsed);
    chosen = ChooseGroupImageForSide(*parsed, finder, 32);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->choice.entry, 1);
    EXPECT_EQ(chosen->choice.width, 48);
    EXPECT_EQ(chosen->image.Size(), b48.size());
}

TEST(IconSizing, TooltipNamesTheRealSizesAndTheImageShown) {
    const std::vector<int> widths = {32, 16, 256, 48, 32, 0};
    EXPECT_EQ(SizesTooltip(widths, SideChoice{2, 256, true}, 96),
              "16, 32, 48, 256 (shown: 256 scaled to 96)");
    EXPECT_EQ(SizesTooltip(widths, SideChoice{3, 48, false}, 48), "16, 32, 48, 256 (shown: 48)");
    EXPECT_EQ(SizesTooltip({16}, SideChoice{0, 16, false}, 32), "16 (shown: 16)");
    EXPECT_EQ(SizesTooltip(widths, std::nullopt, 32), "");
}

TEST(ImageScaler, UniformImagesKeepTheirColourAndAlphaExactly) {
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{
             {256, 96}, {256, 16}, {48, 32}, {7, 3}, {100, 99}, {5, 5}, {33, 1}}) {
        for (const std::uint8_t alpha : {255, 128, 1}) {
            const auto scaled = ScaleDown(Filled(from, from + 1, 200, 17, 99, alpha), to, to);
            ASSERT_TRUE(scaled);
            EXPECT_EQ(scaled->pixels, Filled(to, to, 200, 17, 99, alpha).pixels)
                << from << " -> " << to << " alpha " << int{alpha};
        }
    }
}

TEST(ImageScaler, EdgesOfAnOpaqueShapeOnATransparentFieldAreNotDarkened) {
    // A red square on a field of transparent black: the colour of black must not bleed in.
    RgbaImage image = Filled(256, 256, 0, 0, 0, 0);
    for (int y = 50; y < 201; ++y)
        for (int x = 50; x < 201; ++x) {
            std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * 256 + x) * 4];
            p[0] = 255;
            p[3] = 255;
        }
    const auto scaled = ScaleDown(image, 96, 96);
    ASSERT_TRUE(scaled);
    int edges = 0;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            const std::uint8_t* p = PixelAt(*scaled, x, y);
            if (p[3] == 0)
                continue;
            EXPECT_EQ(p[0], 255) << x << "," << y;
            EXPECT_EQ(p[1] + p[2], 0) << x << "," << y;
            edges += p[3] < 255;
        }
    EXPECT_GT(edges, 0) << "the square's edges fall between target pixels";
}

TEST(ImageScaler, AveragesTheExactAreaEachPixelCovers) {
    // 3 -> 2: target pixel 0 covers source 0 whole and half of source 1.
    RgbaImage row;
    row.width = 3;
    row.height = 1;
    row.pixels = {0, 0, 0, 255, 90, 0, 0, 255, 180, 0, 0, 255};
    auto scaled = ScaleDown(row, 2, 1);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->pixels, (Bytes{30, 0, 0, 255, 150, 0, 0, 255}));

    // Colours weigh by their alpha; a fully transparent result has no colour.
    RgbaImage pair;
    pair.width = 2;
    pair.height = 2;
    pair.pixels = {255, 0, 0, 255, 0, 0, 255, 85, 0, 0, 0, 0, 0, 255, 0, 0};
    scaled = ScaleDown(pair, 1, 1);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->pixels, (Bytes{191, 0, 64, 85}));
    EXPECT_EQ(ScaleDown(Filled(4, 4, 9, 9, 9, 0), 2, 2)->pixels, Filled(2, 2, 0, 0, 0, 0).pixels);
}

// The exact area average of the target pixel (x, y), premultiplied, in double precision.
std::array<double, 4> AreaAverage(const RgbaImage& from, int width, int height, int x, int y) {
    const double sx = static_cast<double>(from.width) / width,
                 sy = static_cast<double>(from.height) / height;
    std::array<double, 4> sum = {};
    for (int v = static_cast<int>(y * sy); v < std::min<double>(from.height, (y + 1) * sy); ++v)
        for (int u = static_cast<int>(x * sx); u < std::min<double>(from.width, (x + 1) * sx);
             ++u) {
            const double across = std::min(u + 1.0, (x + 1) * sx) - std::max<double>(u, x * sx);
            const double down = std::min(v + 1.0, (y + 1) * sy) - std::max<double>(v, y * sy);
            if (across <= 0 || down <= 0)
                continue;
            const std::uint8_t* p = PixelAt(from, u, v);
            const double weight = across * down / (sx * sy) * p[3];
            for (int c = 0; c < 3; ++c)
                sum[c] += p[c] * weight;
            sum[3] += weight;
        }
    if (sum[3] > 0)
        for (int c = 0; c < 3; ++c)
            sum[c] /= sum[3];
    return sum;
}

TEST(ImageScaler, EveryPixelIsTheAreaAverageWithinRounding) {
    // Noise with every alpha, and soft shapes, at the sizes the icon list scales between.
    unsigned seed = 7;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0xFF; };
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{
             {256, 96}, {256, 48}, {256, 20}, {48, 32}, {37, 16}, {100, 99}, {7, 3}}) {
        RgbaImage noise = Filled(from, from, 0, 0, 0, 0);
        for (std::uint8_t& byte : noise.pixels)
            byte = static_cast<std::uint8_t>(next());
        RgbaImage disc = Filled(from, from, 0, 0, 0, 0);
        for (int y = 0; y < from; ++y)
            for (int x = 0; x < from; ++x) {
                std::uint8_t* p = &disc.pixels[(static_cast<std::size_t>(y) * from + x) * 4];
                const double fade = from / 2.0 - std::hypot(x - from / 2.0, y - from / 2.0);
                p[0] = static_cast<std::uint8_t>(x * 255 / from);
                p[2] = 200;
                p[3] = static_cast<std::uint8_t>(std::clamp(fade * 40, 0.0, 255.0));
            }
        for (const RgbaImage* image : {&noise, &disc}) {
            const auto scaled = ScaleDown(*image, to, to - 1);
            ASSERT_TRUE(scaled);
            int off = 0;
            for (int y = 0; y < to - 1; ++y)
                for (int x = 0; x < to; ++x) {
                    const auto exact = AreaAverage(*image, to, to - 1, x, y);
                    const std::uint8_t* got = PixelAt(*scaled, x, y);
                    for (int c = 0; c < 4; ++c)
                        // A colour under an alpha that rounds to 0 is not seen.
                        off += (c < 3 && got[3] == 0) ? 0 : std::abs(got[c] - exact[c]) > 0.51;
                }
            EXPECT_EQ(off, 0) << from << " -> " << to;
        }
    }
}

TEST(ImageScaler, NeverScalesUpAndRefusesBadSizes) {
    const RgbaImage image = Filled(16, 8, 1, 2, 3, 4);
    EXPECT_FALSE(ScaleDown(image, 17, 8));
    EXPECT_FALSE(ScaleDown(image, 16, 9));
    EXPECT_FALSE(ScaleDown(image, 0, 4));
    RgbaImage broken = image;
    broken.pixels.pop_back();
    EXPECT_FALSE(ScaleDown(broken, 8, 4));
}

TEST(IconSizing, RenderScalesWiderImagesDownAndLeavesOthersAsTheyAre) {
    const Bytes bmp = MakeBmpImage(48, 32, 3);
    const ByteView view(bmp.data(), bmp.size());
    const auto own = DecodeIconImage(view);
    ASSERT_TRUE(own);
    EXPECT_EQ(RenderImageAtSide(view, 48)->pixels, own->pixels);
    EXPECT_EQ(RenderImageAtSide(view, 96)->pixels, own->pixels) << "never scaled up";
    const auto small = RenderImageAtSide(view, 32);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width, 32);
    EXPECT_EQ(small->height, 32);
    EXPECT_EQ(small->pixels, ScaleDown(*own, 32, 32)->pixels);

    // PNG images too; a wide image keeps its proportions.
    const Bytes wide = PngOf(Filled(200, 100, 5, 6, 7, 255));
    const auto banner = RenderImageAtSide(ByteView(wide.data(), wide.size()), 50);
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->width, 50);
    EXPECT_EQ(banner->height, 25);
    EXPECT_FALSE(RenderImageAtSide(ByteView(wide.data(), wide.size() / 2), 50));
    EXPECT_FALSE(RenderImageAtSide(view, 0));
}

TEST(IconSizing, RenderingInKeptBuffersGivesWhatAFreshRenderGives) {
    // Pictures of every kind in turn in the same buffers, with failures and an image larger than
    // the buffers keep among them: each the same as rendered alone.
    RgbaImage disc = Filled(256, 256, 0, 0, 0, 0);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            std::uint8_t* p = &disc.pixels[(static_cast<std::size_t>(y) * 256 + x) * 4];
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[3] = std::hypot(x - 128, y - 128) < 100 ? 255 : 0;
        }
    const Bytes large = PngOf(disc), huge = PngOf(Filled(600, 300, 1, 2, 3, 200)),
                wide = PngOf(Filled(200, 100, 5, 6, 7, 255)), bmp = MakeBmpImage(48, 32, 3);
    Bytes damaged = large;
    damaged[damaged.size() / 2] ^= 0x55;
    RenderBuffers buffers;
    for (int round = 0; round < 2; ++round)
        for (const Bytes* image :
             std::vector<const Bytes*>{&large, &damaged, &bmp, &huge, &wide, &large})
            for (const int side : {256, 96, 48, 16}) {
                const ByteView view(image->data(), image->size());
                const auto alone = RenderImageAtSide(view, side);
                const RgbaImage* kept = RenderImageAtSide(view, side, buffers);
                ASSERT_EQ(kept != nullptr, alone.has_value()) << side;
                if (!kept)
                    continue;
                EXPECT_EQ(kept->width, alone->width);
                EXPECT_EQ(kept->height, alone->height);
                EXPECT_EQ(kept->pixels, alone->pixels) << side << " of " << alone->width;
            }
    EXPECT_FALSE(RenderImageAtSide(ByteView(large.data(), large.size()), 0, buffers));
    EXPECT_LE(buffers.raw.capacity() + buffers.decoded.pixels.capacity() +
                  buffers.scaled.pixels.capacity(),
              3u * 256 * 257 * 4)
        << "more than a 256-pixel image's memory is let go";
}
