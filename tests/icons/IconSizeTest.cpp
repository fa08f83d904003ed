// The icon list at every icon size: the image each cell shows (exact, scaled down, or centred,
// never scaled up), a Jumbo cell pixel for pixel as the PNG export of its 256-pixel image, and
// the tooltip that names the sizes an icon really has.
#include "IconPanes.h"

#include "SaveNameDialog.h"
#include "engine/IconGroups.h"
#include "engine/IconItem.h"
#include "engine/PngReader.h"
#include "engine/platform/FileSystem.h"

#include <fstream>
#include <iterator>

using namespace quarvel;
using namespace quarvel::test;

namespace {
// A 32-bit bitmap image whose alpha runs through every value, so that a blend shows in every
// channel.
Bytes GradedAlphaImage(int width) {
    Bytes image = MakeBmpImage(width, 32);
    constexpr std::size_t kHeader = 40;
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x)
            image[kHeader + (static_cast<std::size_t>(y) * width + x) * 4 + 3] =
                static_cast<std::uint8_t>(x + 3 * y);
    return image;
}

// The PNG file's pixels blended on the window colour, as 0x00RRGGBB, rows from the top.
std::vector<std::uint32_t> BlendedOnWindow(const std::string& pngPath) {
    std::ifstream in(pngPath, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto rgba = DecodePng(ByteView(bytes.data(), bytes.size()));
    std::vector<std::uint32_t> pixels;
    if (!rgba)
        return pixels;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const int field[3] = {GetRValue(window), GetGValue(window), GetBValue(window)};
    for (std::size_t i = 0; i + 3 < rgba->pixels.size(); i += 4) {
        const int alpha = rgba->pixels[i + 3];
        std::uint32_t pixel = 0;
        for (int c = 0; c < 3; ++c)
            pixel = (pixel << 8) |
                    static_cast<std::uint32_t>(
                        (rgba->pixels[i + c] * alpha + field[c] * (255 - alpha) + 127) / 255);
        pixels.push_back(pixel);
    }
    return pixels;
}

} // namespace

TEST_F(IconPanes, EachSizeShowsTheImageOfItsWidthElseAWiderOneScaledDownElseANarrowerOneCentred) {
    // 16 and 48 pixels: the 16 shows at 16, scaled from 48 at 32, itself at 48, centred at 96.
    const std::string path = WriteGroupImage("two.dll", {16, 48, 16}, {4, 32, 32});
    ASSERT_EQ(ListIconGroups(path.c_str(), &List()), 1);
    EXPECT_EQ(List().GetIconSize(), kDefaultIconSize);

    struct Case {
        int size;
        int painted[4]; // left, top, right, bottom of the painted square
    };
    // The test images leave their top-left quarter transparent: what is painted ends at the
    // image's right and bottom edges.
    for (const Case& c :
         {Case{16, {0, 0, 16, 16}}, Case{32, {0, 0, 32, 32}}, Case{48, {0, 0, 48, 48}},
          Case{96, {24, 24, 72, 72}}, Case{256, {104, 104, 152, 152}}}) {
        List().SetIconSize(c.size);
        ASSERT_EQ(List().GetCellSide(), c.size) << "96 DPI";
        int cx = 0, cy = 0;
        ImageList_GetIconSize(List().GetPictures(), &cx, &cy);
        ASSERT_EQ(cx, c.size);
        const Picture picture = Picture::Of(List().GetPictures(), List().GetPicture(0));
        ASSERT_EQ(picture.width, c.size);
        const auto [left, top, right, bottom] = c.painted;
        const int half = (right - left) / 2;
        EXPECT_EQ(Painted(picture, 0, 0, c.size, top), 0) << c.size;
        EXPECT_EQ(Painted(picture, 0, bottom, c.size, c.size), 0) << c.size;
        EXPECT_EQ(Painted(picture, 0, 0, left, c.size), 0) << c.size;
        EXPECT_EQ(Painted(picture, right, 0, c.size, c.size), 0) << c.size;
        EXPECT_EQ(Painted(picture, left, top, left + half - 1, top + half - 1), 0) << c.size;
        EXPECT_EQ(Painted(picture, left + half, top + half, right, bottom), half * half)
            << c.size << ": the opaque quarter is all painted, never a blend of the window";
    }
    // The 16-pixel cell shows the deepest 16-pixel image (the last, 32 bits), not the first.
    List().SetIconSize(16);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409, {MakeBmpImage(16, 32, 2)}, {16}, {32}, 1);
    const std::string deepest = WriteImage("deepest.dll", tree);
    ASSERT_EQ(ListIconGroups(deepest.c_str(), &List()), 1);
    EXPECT_EQ(Picture::Of(List().GetPictures(), List().GetPicture(0)).pixels,
              Picture::Of(List().GetPictures(), List().GetPicture(1)).pixels);

    // Another value is not a size; the list keeps its own.
    List().SetIconSize(64);
    EXPECT_EQ(List().GetIconSize(), 16);
}

TEST_F(IconPanes, AJumboCellShowsA256PixelImagePixelForPixelAsItsPngExport) {
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409, {MakeBmpImage(32, 8), GradedAlphaImage(256)}, {32, 256}, {8, 32},
                 1);
    AddIconGroup(tree, 2, 0x409, {MakePngImage(256, 256, 7)}, {256}, {32}, 3);
    const std::string path = WriteImage("jumbo.dll", tree);
    ASSERT_EQ(ListIconGroups(path.c_str(), &List()), 2);
    List().SetIconSize(256);
    host.wnd.ShowWindow(SW_SHOW);
    host.wnd.UpdateWindow();
    ui::PumpPending();

    for (int item = 0; item < 2; ++item) {
        const std::string png = folder.Path() + "\\export" + std::to_string(item) + ".png";
        ASSERT_EQ(List().SaveIcon(item, false, png.c_str(), true, kSaveAsPng), 1);
        const std::vector<std::uint32_t> expected = BlendedOnWindow(png);
        ASSERT_EQ(expected.size(), 256u * 256u) << item;
        const Picture cell = Picture::Of(List().GetPictures(), List().GetPicture(item));
        ASSERT_EQ(cell.width, 256);
        int differing = 0;
        for (std::size_t i = 0; i < expected.size(); ++i)
            differing += cell.pixels[i] != expected[i];
        EXPECT_EQ(differing, 0) << "item " << item;
    }
}

TEST_F(IconPanes, ACellsTooltipNamesTheSizesTheIconHasAndTheOneShown) {
    EXPECT_TRUE(List().GetExtendedStyle() & LVS_EX_INFOTIP);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409,
                 {MakeBmpImage(16, 4), MakeBmpImage(32, 8), MakeBmpImage(48, 32),
                  MakePngImage(256, 256), MakeBmpImage(32, 32)},
                 {16, 32, 48, 256, 32}, {4, 8, 32, 32, 32}, 1);
    AddIconGroup(tree, 2, 0x409, {MakeBmpImage(16, 32)}, {16}, {32}, 6);
    const std::string path = WriteImage("sizes.dll", tree);
    ASSERT_EQ(ListIconGroups(path.c_str(), &List()), 2);
    const Bytes image = MakeBmpImage(48, 32);
    const std::string ico =
        folder.Write("one.ico", MakeIcoFile({EntryFor(image, 48, 32, 0)}, {image}));
    ASSERT_EQ(List().AddIconFile(ico.c_str()), 1);
    ASSERT_EQ(List().AddIconFile("C:\\no such icon.ico"), 1);

    EXPECT_EQ(Tooltip(iconList, List(), 0), "16, 32, 48, 256 (shown: 32)");
    List().SetIconSize(96);
    EXPECT_EQ(Tooltip(iconList, List(), 0), "16, 32, 48, 256 (shown: 256 scaled to 96)");
    EXPECT_EQ(Tooltip(iconList, List(), 1), "16 (shown: 16)");
    EXPECT_EQ(Tooltip(iconList, List(), 2), "48 (shown: 48)");
    List().SetIconSize(16);
    EXPECT_EQ(Tooltip(iconList, List(), 2), "48 (shown: 48 scaled to 16)");
    // A shortened label's whole text comes first; an icon that cannot be read adds nothing.
    EXPECT_EQ(Tooltip(iconList, List(), 1, "2\r\nsizes.dll"), "2\r\nsizes.dll\r\n16 (shown: 16)");
    EXPECT_EQ(Tooltip(iconList, List(), 3, "no such icon.ico"), "no such icon.ico");
    EXPECT_EQ(Tooltip(iconList, List(), 4), "");
    EXPECT_EQ(List().OpenFileCount(), 1u); // held until the message loop is idle
    ui::PumpPending();
    EXPECT_EQ(List().OpenFileCount(), 0u);
}
