// Display icons and .bmp files (Windows build, run under Wine with a display).
#include "engine/BitmapWriter.h"
#include "engine/DisplayIcon.h"
#include "engine/IconItem.h"
#include "engine/IconPicture.h"
#include "engine/PEFile.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

// The width and height of an icon's picture (its colour bitmap, or its mask).
SIZE IconSize(HICON icon) {
    ICONINFO info;
    SIZE size = {0, 0};
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bm;
    if (GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm)) {
        size.cx = bm.bmWidth;
        size.cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

// The width of an icon the check owns; the icon is destroyed.
int WidthOfTakenIcon(HICON icon) {
    const int width = icon ? IconSize(icon).cx : 0;
    if (icon)
        DestroyIcon(icon);
    return width;
}

// A group of images 16, 32 and 48 pixels wide (ids 10, 11, 12), optionally without one image.
Bytes ThreeSizes(int missingId = 0, std::uint16_t reserved = 0, std::uint16_t type = 1) {
    ResourceTree tree;
    std::vector<GroupEntrySpec> entries;
    const int widths[] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        const Bytes image = MakeBmpImage(widths[i], 8, static_cast<std::uint8_t>(i));
        const auto id = static_cast<std::uint16_t>(10 + i);
        entries.push_back(EntryFor(image, widths[i], 8, id));
        if (id != missingId)
            tree.Add(3, id, 0, image);
    }
    tree.Add(14, 1, 0, MakeGroup(entries, reserved, type));
    return BuildImageWithResources(tree);
}

} // namespace

TEST(LoadGroupIcon, PicksTheImageOfTheAskedWidthElseTheFirst) {
    ASSERT_EQ(GetSystemMetrics(SM_CXICON), 32);
    const Bytes pe = ThreeSizes();
    CPEFile file(pe.data(), pe.size());
    EXPECT_EQ(WidthOfTakenIcon(file.LoadGroupIcon(1, 0, 0, 0)), 32) << "the system size";
    EXPECT_EQ(WidthOfTakenIcon(file.LoadGroupIcon(1, 0, 48, 16)), 48) << "the height takes no part";
    EXPECT_EQ(WidthOfTakenIcon(file.LoadGroupIcon(1, 0, 24, 24)), 16)
        << "no match: the first image, at its own size";
    EXPECT_EQ(WidthOfTakenIcon(file.LoadGroupIcon(1, 1033, 0, 0)), 32)
        << "another language of the group serves";
    EXPECT_EQ(file.LoadGroupIcon(2, 0, 0, 0), nullptr);
}

TEST(LoadGroupIcon, AMissingImageFallsBackToTheFirstThatExists) {
    const Bytes noThirtyTwo = ThreeSizes(11);
    CPEFile file(noThirtyTwo.data(), noThirtyTwo.size());
    EXPECT_EQ(WidthOfTakenIcon(file.LoadGroupIcon(1, 0, 32, 32)), 16);
    const Bytes noSixteen = ThreeSizes(10);
    CPEFile other(noSixteen.data(), noSixteen.size());
    EXPECT_EQ(WidthOfTakenIcon(other.LoadGroupIcon(1, 0, 24, 24)), 32);
}

TEST(LoadGroupIcon, CursorGroupsAndBadHeadersGiveNothing) {
    for (const Bytes& pe : {ThreeSizes(0, 0, 2), ThreeSizes(0, 1, 1)}) {
        CPEFile file(pe.data(), pe.size());
        EXPECT_EQ(file.LoadGroupIcon(1, 0, 0, 0), nullptr);
    }
}

TEST(LoadGroupIcon, PngImagesAndHostileSizes) {
    ResourceTree tree;
    const Bytes png = MakePngImage(256, 256);
    tree.Add(3, 10, 0, png);
    tree.Add(14, 1, 0, MakeGroup({EntryFor(png, 256, 32, 10)}));
    Bytes huge = MakeBmpImage(16, 8);
    huge[4] = 0x00;
    huge[5] = 0x40; // biWidth 16384
    tree.Add(3, 11, 0, huge);
    tree.Add(14, 2, 0, MakeGroup({EntryFor(huge, 16, 8, 11)}));
    const Bytes pe = BuildImageWithResources(tree);
    CPEFile file(pe.data(), pe.size());
    EXPECT_EQ(WidthOfTakenIcon(file.LoadGroupIcon(1, 0, 0, 0)), 256) << "the PNG's own size";
    HICON clamped = file.LoadGroupIcon(2, 0, 0, 0);
    EXPECT_LE(WidthOfTakenIcon(clamped), 256);
}

TEST(LoadDisplayIcon, BothKindsOfItem) {
    TempFolder dir;
    const std::string dll = dir.Write("three.dll", ThreeSizes());
    EXPECT_EQ(WidthOfTakenIcon(CIconItem(dll.c_str(), 1, 0).LoadDisplayIcon()), 32);
    EXPECT_EQ(WidthOfTakenIcon(LoadIconFromFile(dll.c_str(), 1, 0, 48, 48)), 48);
    EXPECT_EQ(LoadIconFromFile(dir.File("none.dll").c_str(), 1, 0, 0, 0), nullptr);
    const Bytes image = MakeBmpImage(32, 8);
    const std::string ico = dir.Write("one.ico", MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image}));
    EXPECT_EQ(WidthOfTakenIcon(CIconItem(ico.c_str()).LoadDisplayIcon()), 32);
}

TEST(LoadDisplayIcon, AnIcoFileIsChosenAndBuiltLikeAGroupAndADamagedOneGetsNone) {
    TempFolder dir;
    // A first image of 16 pixels no longer stands for the file among 32-pixel pictures.
    const Bytes i16 = MakeBmpImage(16, 8), i32 = MakeBmpImage(32, 8);
    const std::string two = dir.Write(
        "two.ico", MakeIcoFile({EntryFor(i16, 16, 8, 0), EntryFor(i32, 32, 8, 0)}, {i16, i32}));
    EXPECT_EQ(WidthOfTakenIcon(CIconItem(two.c_str()).LoadDisplayIcon()), 32);
    EXPECT_EQ(WidthOfTakenIcon(LoadIcoFileIcon(two.c_str(), 16)), 16);

    // Damage the system would read past: a header promising more rows than the image holds,
    // a directory cut short, and a missing file.
    Bytes tall = i32;
    tall[8] = 80; // 40 rows of colour where 32 are stored
    const std::string promising =
        dir.Write("tall.ico", MakeIcoFile({EntryFor(tall, 32, 8, 0)}, {tall}));
    EXPECT_EQ(CIconItem(promising.c_str()).LoadDisplayIcon(), nullptr);
    EXPECT_EQ(CreateIconFromImage(tall.data(), std::uint32_t(tall.size())), nullptr);
    Bytes cut = MakeIcoFile({EntryFor(i16, 16, 8, 0), EntryFor(i32, 32, 8, 0)}, {i16, i32});
    cut.resize(6 + 16 + 8);
    EXPECT_EQ(CIconItem(dir.Write("cut.ico", cut).c_str()).LoadDisplayIcon(), nullptr);
    EXPECT_EQ(CIconItem(dir.File("none.ico").c_str()).LoadDisplayIcon(), nullptr);

    // A 32-bit image stored without its mask, as many icons are, is still shown.
    Bytes maskless = MakeBmpImage(32, 32);
    maskless.resize(maskless.size() - 4 * 32);
    EXPECT_EQ(
        WidthOfTakenIcon(CreateIconFromImage(maskless.data(), std::uint32_t(maskless.size()))), 32);
}

TEST(DisplayIcons, PngImagesAboveAMillionPixelsAreRefused) {
    // Valid images, so that only the rule tells them apart: the system would decode either.
    const Bytes small = MakeBmpImage(32, 8), atLimit = MakePngImage(1024, 1024),
                oversized = MakePngImage(1025, 1024);
    EXPECT_EQ(WidthOfTakenIcon(CreateIconFromImage(atLimit.data(), std::uint32_t(atLimit.size()))),
              256);
    EXPECT_EQ(CreateIconFromImage(oversized.data(), std::uint32_t(oversized.size())), nullptr);

    // A group holding one gets no display icon, whichever image the asked size chooses.
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {small, atLimit}, {32, 256}, {8, 32}, 1);
    AddIconGroup(tree, 2, 0, {small, oversized}, {32, 256}, {8, 32}, 3);
    TempFolder dir;
    const std::string dll = dir.Write("big.dll", BuildImageWithResources(tree));
    CPEFile file(dll.c_str());
    EXPECT_EQ(WidthOfTakenIcon(file.LoadGroupIcon(1, 0, 0, 0)), 32);
    EXPECT_EQ(file.LoadGroupIcon(2, 0, 0, 0), nullptr);
    EXPECT_EQ(file.LoadGroupIcon(2, 0, 256, 256), nullptr);
    file.Close();
    EXPECT_EQ(LoadIconFromFile(dll.c_str(), 2, 0, 0, 0), nullptr);
    EXPECT_EQ(CIconItem(dll.c_str(), 2, 0).LoadDisplayIcon(), nullptr);

    // An .ico file: the system loader would pick among its images itself.
    const auto icoOf = [&](const char* name, const Bytes& png) {
        return dir.Write(name, MakeIcoFile({EntryFor(small, 32, 8, 0), EntryFor(png, 256, 32, 0)},
                                           {small, png}));
    };
    EXPECT_EQ(WidthOfTakenIcon(CIconItem(icoOf("fine.ico", atLimit).c_str()).LoadDisplayIcon()),
              32);
    EXPECT_EQ(CIconItem(icoOf("big.ico", oversized).c_str()).LoadDisplayIcon(), nullptr);
}

TEST(WriteBmpFile, SizeFollowsTheDisplayDepthAndTransparencyShowsTheWindowColour) {
    TempFolder dir;
    const Bytes pe = ThreeSizes();
    CPEFile file(pe.data(), pe.size());
    HICON icon = file.LoadGroupIcon(1, 0, 32, 32);
    ASSERT_NE(icon, nullptr);
    HBITMAP bitmap = IconToBitmap(icon);
    DestroyIcon(icon);
    ASSERT_NE(bitmap, nullptr);
    const std::string path = dir.Write("icon.bmp", Bytes(99999, 1)); // replaced
    EXPECT_EQ(WriteBmpFile(path.c_str(), bitmap, false), 0);         // unless that is not allowed
    EXPECT_EQ(ReadFileBytes(path), Bytes(99999, 1));
    ASSERT_EQ(WriteBmpFile(path.c_str(), bitmap), 1);
    DeleteObject(bitmap);

    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    const Bytes bmp = ReadFileBytes(path);
    const std::size_t expected = depth == 32   ? 4150
                                 : depth == 24 ? 3126
                                 : depth == 16 ? 264246
                                               : 2102;
    EXPECT_EQ(bmp.size(), expected) << "display depth " << depth;
    ASSERT_EQ(depth, 32) << "the pixel check below reads 32-bit rows";
    // Bottom-up rows of 128 bytes after the 54-byte headers; row 31, column 0 is transparent.
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const std::uint8_t* pixel = &bmp[54 + 31 * 128];
    EXPECT_EQ(pixel[2], GetRValue(window));
    EXPECT_EQ(pixel[1], GetGValue(window));
    EXPECT_EQ(pixel[0], GetBValue(window));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"icon.bmp"}));
}

TEST(IconToBitmap, AMonochromeIconIsDrawnIntoASquare) {
    const Bytes mono = MakeBmpImage(32, 1);
    HICON icon = CreateIconFromImage(mono.data(), static_cast<std::uint32_t>(mono.size()));
    ASSERT_NE(icon, nullptr);
    HBITMAP bitmap = IconToBitmap(icon);
    DestroyIcon(icon);
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm;
    ASSERT_TRUE(GetObjectA(bitmap, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 32);
    BITMAPINFO* info = CreateBitmapInfo(bitmap);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->bmiHeader.biSize, 40u);
    EXPECT_EQ(info->bmiHeader.biHeight, 32);
    LocalFree(info);
    DeleteObject(bitmap);
    EXPECT_EQ(IconToBitmap(nullptr), nullptr);
    EXPECT_EQ(WriteBmpFile("x.bmp", nullptr), 0);
}

TEST(DrawIconPicture, TransparentPixelsAndTheRestOfTheSquareShowTheBackground) {
    const Bytes image = MakeBmpImage(16, 8);
    const ScopedIcon icon(CreateIconFromImage(image.data(), std::uint32_t(image.size())));
    ASSERT_TRUE(icon);
    // A window colour of its own, so that the picture must follow a change of it.
    const COLORREF window = RGB(10, 200, 30);
    INT element = COLOR_WINDOW;
    const COLORREF old = GetSysColor(COLOR_WINDOW);
    SetSysColors(1, &element, &window);
    ScopedBitmap picture = DrawIconPicture(icon.Get(), 24, 20, CellPlacement{4, 2, 16, 16});
    SetSysColors(1, &element, &old);
    ASSERT_TRUE(picture);

    const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    {
        const ScopedSelect select(dc.Get(), picture.Get());
        int background = 0, drawn = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 24; ++x) {
                const bool inIcon = x >= 4 && x < 20 && y >= 2 && y < 18;
                const bool transparent = inIcon && x < 12 && y < 10; // the icon's top-left quarter
                const COLORREF pixel = GetPixel(dc.Get(), x, y);
                if (!inIcon || transparent)
                    background += pixel == window;
                else
                    drawn += pixel != window;
            }
        EXPECT_EQ(background, 24 * 20 - 16 * 16 + 8 * 8);
        EXPECT_GT(drawn, 16 * 16 / 2);
    }

    // Another background on request; nothing for no icon or no size.
    picture = DrawIconPicture(icon.Get(), 16, 16, CellPlacement{0, 0, 16, 16},
                              static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const ScopedSelect select(dc.Get(), picture.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 1, 1), RGB(255, 255, 255));
    EXPECT_FALSE(DrawIconPicture(nullptr, 16, 16, CellPlacement{0, 0, 16, 16}));
    EXPECT_FALSE(DrawIconPicture(icon.Get(), 0, 16, CellPlacement{0, 0, 16, 16}));
}
