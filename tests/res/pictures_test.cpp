// Pictures and the manifest as the program loads them: sizes, depths, transparency, the clip.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "resource.h"
#include "resource_reader.h"

using restest::ResourceBytes;

namespace {

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

// A bitmap resource: its header, palette and bottom-up pixel rows.
struct PackedBitmap {
    BITMAPINFOHEADER header = {};
    std::vector<RGBQUAD> palette;
    std::vector<unsigned char> bits;

    explicit PackedBitmap(int id) {
        std::vector<unsigned char> data = ResourceBytes(RT_BITMAP, id);
        if (data.size() < sizeof header)
            return;
        std::memcpy(&header, data.data(), sizeof header);
        size_t colours = header.biClrUsed ? header.biClrUsed
                                          : (header.biBitCount <= 8 ? 1u << header.biBitCount : 0);
        size_t offset = header.biSize + colours * sizeof(RGBQUAD);
        if (data.size() < offset)
            return;
        palette.resize(colours);
        std::memcpy(palette.data(), data.data() + header.biSize, colours * sizeof(RGBQUAD));
        bits.assign(data.begin() + offset, data.end());
    }

    // Colour of pixel (x, y), y counted from the top.
    COLORREF pixel(int x, int y) const {
        int stride = (header.biWidth * header.biBitCount + 31) / 32 * 4;
        size_t row = static_cast<size_t>(header.biHeight - 1 - y) * stride;
        int index = header.biBitCount == 8 ? bits.at(row + x)
                                           : (bits.at(row + x / 2) >> (x % 2 ? 0 : 4)) & 0x0F;
        const RGBQUAD& q = palette.at(index);
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }

    // Every image of the strip (side pixels square) shows something and has transparent pixels
    // around it.
    void ExpectEachImageDrawnOnKey(COLORREF key, int side = 16) const {
        for (int image = 0; image < header.biWidth / side; ++image) {
            int transparent = 0;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    transparent += pixel(image * side + x, y) == key;
            EXPECT_GT(transparent, 0) << "image " << image << " has no transparent pixel";
            EXPECT_LT(transparent, side * side * 216 / 256)
                << "image " << image << " is nearly empty";
        }
    }
};

TEST(Bitmaps, ToolbarStripIsEightBitWithThirteenImagesOrMore) {
    PackedBitmap strip(IDB_TOOLBAR);
    EXPECT_EQ(strip.header.biBitCount, 8);
    EXPECT_EQ(strip.header.biHeight, 16);
    EXPECT_EQ(strip.header.biWidth % 16, 0);
    EXPECT_GE(strip.header.biWidth / 16, 13);
    strip.ExpectEachImageDrawnOnKey(RGB(255, 0, 255));
}

TEST(Bitmaps, ToolbarResourceBitmapShowsTheEightButtonsAsTheStripDoes) {
    PackedBitmap buttons(IDR_MAINFRAME), strip(IDB_TOOLBAR);
    ASSERT_EQ(buttons.header.biWidth, 8 * 16);
    ASSERT_EQ(buttons.header.biHeight, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8 * 16; ++x)
            ASSERT_EQ(buttons.pixel(x, y), strip.pixel(x, y)) << "pixel " << x << "," << y;
}

TEST(Bitmaps, ToolbarImageListTakesMagentaAsTransparent) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(Self(), MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_TRUE(bitmap);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLORDDB | ILC_MASK, 13, 1);
    EXPECT_EQ(ImageList_AddMasked(list, bitmap, RGB(255, 0, 255)), 0);
    EXPECT_GE(ImageList_GetImageCount(list), 13);
    ImageList_Destroy(list);
    DeleteObject(bitmap);
}

TEST(Bitmaps, FourNetworkImages) {
    PackedBitmap network(IDB_NETWORK);
    EXPECT_EQ(network.header.biWidth, 64);
    EXPECT_EQ(network.header.biHeight, 16);
    network.ExpectEachImageDrawnOnKey(RGB(255, 0, 255));
}

TEST(Bitmaps, TwoTabImagesInSixteenColoursOnLightGrey) {
    PackedBitmap tabs(IDB_TAB_IMAGES);
    EXPECT_EQ(tabs.header.biWidth, 32);
    EXPECT_EQ(tabs.header.biHeight, 16);
    EXPECT_EQ(tabs.header.biBitCount, 4);
    tabs.ExpectEachImageDrawnOnKey(RGB(192, 192, 192));
}

TEST(Bitmaps, HighDpiStripsHoldTheSameImagesDrawnAtTheirSide) {
    struct Family {
        int small;
        int larger[3]; // 20, 24 and 32 pixels
        COLORREF key;
    };
    const Family families[] = {
        {IDB_TOOLBAR, {IDB_TOOLBAR_20, IDB_TOOLBAR_24, IDB_TOOLBAR_32}, RGB(255, 0, 255)},
        {IDB_NETWORK, {IDB_NETWORK_20, IDB_NETWORK_24, IDB_NETWORK_32}, RGB(255, 0, 255)},
        {IDB_TAB_IMAGES,
         {IDB_TAB_IMAGES_20, IDB_TAB_IMAGES_24, IDB_TAB_IMAGES_32},
         RGB(192, 192, 192)},
    };
    const int sides[] = {20, 24, 32};
    for (const Family& family : families) {
        const PackedBitmap small(family.small);
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(family.larger[k]);
            const PackedBitmap strip(family.larger[k]);
            EXPECT_EQ(strip.header.biHeight, sides[k]);
            EXPECT_EQ(strip.header.biWidth, small.header.biWidth / 16 * sides[k]);
            EXPECT_EQ(strip.header.biBitCount, small.header.biBitCount);
            strip.ExpectEachImageDrawnOnKey(family.key, sides[k]);
        }
    }
}

// The sizes of the images of a group icon, 256 read as 0 in the directory as the format stores it.
std::vector<int> GroupSizes(int id) {
    std::vector<unsigned char> data = ResourceBytes(RT_GROUP_ICON, id);
    std::vector<int> sizes;
    if (data.size() < 6)
        return sizes;
    int count = data[4] | data[5] << 8;
    for (int k = 0; k < count && 6 + 14 * (k + 1) <= static_cast<int>(data.size()); ++k)
        sizes.push_back(data[6 + 14 * k] ? data[6 + 14 * k] : 256);
    return sizes;
}

int IconWidth(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return -1;
    BITMAP bm = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return bm.bmWidth;
}

TEST(Icons, ApplicationIconHasFourSizesAndEachLoads) {
    EXPECT_EQ(GroupSizes(IDR_MAINFRAME), (std::vector<int>{16, 32, 48, 256}));
    for (int size : {16, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon) << size;
        EXPECT_EQ(IconWidth(icon), size);
        DestroyIcon(icon);
    }
}

TEST(Icons, SaveDialogIconHasSmallAndLargeImages) {
    std::vector<int> sizes = GroupSizes(IDI_BATCH_SAVE);
    for (int size : {16, 32}) {
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), size), sizes.end()) << size;
        HICON icon = static_cast<HICON>(
            LoadImageA(Self(), MAKEINTRESOURCEA(IDI_BATCH_SAVE), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon) << size;
        EXPECT_EQ(IconWidth(icon), size);
        DestroyIcon(icon);
    }
}

// A parent window with an animation control as big as the search form's (22 x 16 dialog units).
class AnimationHost : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS};
        InitCommonControlsEx(&controls);
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  nullptr, nullptr);
        animation_ = CreateWindowExA(0, ANIMATE_CLASSA, "",
                                     WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT, 0, 0, 33,
                                     26, parent_, nullptr, Self(), nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND parent_ = nullptr;
    HWND animation_ = nullptr;
};

TEST_F(AnimationHost, SearchClipOpensPlaysAndStops) {
    ASSERT_TRUE(animation_);
    ASSERT_TRUE(SendMessageA(animation_, ACM_OPENA, 0,
                             reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_SEARCH_AVI))));
    EXPECT_TRUE(SendMessageA(animation_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, -1)));
    MSG msg;
    for (int k = 0; k < 20; ++k) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    EXPECT_TRUE(SendMessageA(animation_, ACM_STOP, 0, 0));
}

TEST(Animation, ClipIsASmallLoopOfEightBitFramesThatFitsTheControl) {
    std::vector<unsigned char> avi = ResourceBytes("AVI", IDR_SEARCH_AVI);
    ASSERT_GT(avi.size(), 12u);
    EXPECT_EQ(std::memcmp(avi.data(), "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(avi.data() + 8, "AVI ", 4), 0);
    // The main header follows "RIFF" size "AVI " "LIST" size "hdrl" "avih" size.
    ASSERT_EQ(std::memcmp(avi.data() + 24, "avih", 4), 0);
    auto dword = [&](size_t at) {
        DWORD v;
        std::memcpy(&v, avi.data() + at, 4);
        return v;
    };
    DWORD frames = dword(32 + 16), width = dword(32 + 32), height = dword(32 + 36);
    EXPECT_GE(frames, 4u);
    EXPECT_LE(width, 33u);
    EXPECT_LE(height, 26u);
    EXPECT_LT(avi.size(), 64u * 1024) << "a short clip";
}

TEST(Manifest, AsksForCommonControlsSixAndPerMonitorDpiOnWindows7To11) {
    std::vector<unsigned char> data = ResourceBytes(MAKEINTRESOURCEA(24), 1);
    std::string manifest(data.begin(), data.end());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    // Per-monitor V2 first, per-monitor after it; "true/pm" for systems before Windows 10 1607.
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    for (const char* system : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // 7
                               "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // 8
                               "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // 8.1
                               "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) // 10 and 11
        EXPECT_NE(manifest.find(std::string("supportedOS Id=\"{") + system + "}\""),
                  std::string::npos)
            << system;
}

} // namespace
