// No GDI or icon handle is leaked by the icon panes. A process's handle table fills at about
// 65,000 objects (the system does not count them under Wine), so a leak of one handle per cycle
// shows as failed creations within 70,000 cycles of picture builds and sub-icon fills.
//   QUARVEL_SOAK_CYCLES   cycles to run (default 70000)
#include "IconPanes.h"

#include "engine/DisplayIcon.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace quarvel::test;

namespace {
int SoakCycles() {
    const char* setting = std::getenv("QUARVEL_SOAK_CYCLES");
    return setting && std::atoi(setting) > 0 ? std::atoi(setting) : 70000;
}
} // namespace

TEST_F(IconPanes, SeventyThousandPictureBuildsAndSubIconFillsLeakNoHandle) {
    // A group of three depths, an .ico file of two, and an .ico file whose second image is cut:
    // the damaged rows take their own path through the sub-icon list.
    const std::string group = WriteGroupImage("soak.dll", {16, 32, 48}, {4, 8, 32});
    const Bytes png = MakePngImage(32, 32), bmp = MakeBmpImage(16, 8);
    const std::string ico = folder.Write(
        "soak.ico", MakeIcoFile({EntryFor(bmp, 16, 8, 0), EntryFor(png, 32, 32, 0)}, {bmp, png}));
    Bytes cut = bmp;
    cut.resize(cut.size() - 1);
    const std::string damaged =
        folder.Write("damaged.ico",
                     MakeIcoFile({EntryFor(png, 32, 32, 0), EntryFor(cut, 16, 8, 0)}, {png, cut}));

    const int cycles = SoakCycles();
    const auto start = std::chrono::steady_clock::now();
    int pictures = 0, rows = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        List().RemoveAll();
        switch (cycle % 3) {
        case 0:
            List().AddGroupIcon(group.c_str(), 1, 0x409);
            break;
        case 1:
            List().AddIconFile(ico.c_str());
            break;
        default:
            List().AddIconFile(damaged.c_str());
            break;
        }
        pictures += List().GetPicture(0) >= 0;
        ClickItem(0);
        rows += Rows().GetCount();
    }
    List().RemoveAll();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("GDI soak: %d cycles in %.1f s (%.0f per second), %d pictures, %d image rows\n",
                cycles, seconds, cycles / seconds, pictures, rows);
    EXPECT_EQ(pictures, cycles);
    EXPECT_EQ(rows, (cycles + 2) / 3 * 3 + (cycles + 1) / 3 * 2 + cycles / 3 * 2);

    // A thousand more of each, all alive at once, must still be made.
    HDC screen = GetDC(nullptr);
    std::vector<HBITMAP> bitmaps;
    std::vector<HICON> icons;
    for (int i = 0; i < 1000; ++i) {
        bitmaps.push_back(CreateCompatibleBitmap(screen, 16, 16));
        icons.push_back(
            quarvel::CreateIconFromImage(bmp.data(), static_cast<std::uint32_t>(bmp.size())));
    }
    ReleaseDC(nullptr, screen);
    int bitmapsMade = 0, iconsMade = 0;
    for (HBITMAP bitmap : bitmaps)
        bitmapsMade += bitmap != nullptr && DeleteObject(bitmap);
    for (HICON icon : icons)
        iconsMade += icon != nullptr && DestroyIcon(icon);
    EXPECT_EQ(bitmapsMade, 1000);
    EXPECT_EQ(iconsMade, 1000);
}
