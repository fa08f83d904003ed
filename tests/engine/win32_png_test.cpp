// PNG files of the Wine libraries' icons against what Windows draws (Windows build, under Wine):
// every image of every group becomes a PNG that an independent decoder reads back, whose pixels
// equal DrawIconEx's on a transparent 32-bit DIB for images with alpha, and the colours and the
// mask's transparency for the others.
#include "engine/IconGroups.h"
#include "engine/IconImage.h"
#include "engine/IconImageSet.h"
#include "engine/PngExport.h"
#include "engine/PngWriter.h"
#include "engine/win32/GdiOwners.h"
#include "support/Listing.h"
#include "support/PngDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace quarvel;
using namespace quarvel::test;

namespace {

const char kWineLibraries[] = "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\";

std::vector<std::string> WineLibraries() {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(kWineLibraries) + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(std::string(kWineLibraries) + found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(files.begin(), files.end());
    return files;
}

// The icon drawn by the system at its own size onto a zero-filled top-down 32-bit DIB, with
// DI_NORMAL, DI_IMAGE or DI_MASK; pixels as 0xAARRGGBB.
std::vector<std::uint32_t> Drawn(HICON icon, int width, int height, UINT how) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const ScopedBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    std::vector<std::uint32_t> pixels;
    if (!dib || !bits)
        return pixels;
    std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<std::size_t>(width) * height, 0u);
    {
        const ScopedSelect select(dc.Get(), dib.Get());
        DrawIconEx(dc.Get(), 0, 0, icon, width, height, 0, nullptr, how);
        GdiFlush();
    }
    const auto* from = static_cast<const std::uint32_t*>(bits);
    pixels.assign(from, from + static_cast<std::size_t>(width) * height);
    return pixels;
}

// A bitmap image of 32 bits whose alpha is not 0 everywhere: Windows blends it by its alpha.
bool HasAlphaChannel(const ByteView& image) {
    if (IsPngImage(image))
        return true;
    if (image.U16At(14) != 32)
        return false;
    const std::uint64_t bits = image.U32At(0) + 4ull * image.U32At(32);
    const std::uint64_t pixels =
        std::uint64_t{image.U32At(4)} * (static_cast<std::int32_t>(image.U32At(8)) / 2);
    for (std::uint64_t i = 0; i < pixels && image.Readable(bits + 4 * i + 3, 1); ++i)
        if (image.Data()[bits + 4 * i + 3] != 0)
            return true;
    return false;
}

// Where the decoded PNG and the system's drawing disagree: "" when they agree.
std::string Compare(const DecodedPng& png, HICON icon, bool alpha) {
    const auto normal = Drawn(icon, png.width, png.height, alpha ? DI_NORMAL : DI_IMAGE);
    const auto mask = Drawn(icon, png.width, png.height, DI_MASK);
    if (normal.size() != png.rgba.size() / 4)
        return "not drawn";
    for (std::size_t p = 0; p < normal.size(); ++p) {
        const std::uint8_t* want = &png.rgba[4 * p];
        const std::uint32_t got = normal[p];
        const int channel[3] = {static_cast<int>(got >> 16 & 0xFF),
                                static_cast<int>(got >> 8 & 0xFF), static_cast<int>(got & 0xFF)};
        bool same = true;
        if (alpha) {
            // Blended onto transparent black: the colours premultiplied by alpha, and the alpha.
            same = static_cast<int>(got >> 24) == want[3];
            for (int k = 0; k < 3; ++k)
                same = same && std::abs(channel[k] - (want[k] * want[3] + 127) / 255) <= 1;
        } else {
            const bool transparent = (mask[p] & 0xFFFFFF) == 0xFFFFFF;
            same = (want[3] == 0) == transparent;
            for (int k = 0; k < 3 && !transparent; ++k)
                same = same && channel[k] == want[k];
        }
        if (!same) {
            char where[96];
            std::snprintf(where, sizeof where, "pixel %zu: drawn %08X, PNG %02X%02X%02X%02X", p,
                          got, want[3], want[0], want[1], want[2]);
            return where;
        }
    }
    return "";
}

} // namespace

TEST(PngOfWineIcons, EveryImageDecodesToWhatWindowsDraws) {
    const std::vector<std::string> files = WineLibraries();
    if (files.empty())
        GTEST_SKIP() << "Wine's library folder is not reachable";
    int images = 0, withAlpha = 0, mismatches = 0;
    for (const std::string& path : files) {
        ListingRecorder groups;
        if (ListIconGroups(path.c_str(), &groups) == 0)
            continue;
        for (const std::string& item : groups.items) {
            const std::size_t slash = item.rfind('/');
            const std::string name = item.substr(0, slash);
            const bool isId = std::all_of(name.begin(), name.end(), ::isdigit);
            const auto set = ReadGroupImages(
                groups.paths.front().c_str(), isId ? ResKey(std::stoi(name)) : ResKey(name.c_str()),
                static_cast<std::uint16_t>(std::stoi(item.substr(slash + 1))));
            ASSERT_NE(set, nullptr) << path << " " << item;
            for (int i = 0; i < set->Count(); ++i) {
                const ByteView image = ImageOf(*set, i);
                const auto png = IconImageAsPng(image);
                ASSERT_TRUE(png) << path << " " << item << " image " << i;
                std::string error;
                const auto decoded = DecodePng(*png, &error);
                ASSERT_TRUE(decoded) << path << " " << item << " image " << i << ": " << error;
                // Built at the image's own size: some images are not square (winecfg's logo),
                // and the program's display icons are.
                const ScopedIcon icon(CreateIconFromResourceEx(
                    const_cast<BYTE*>(image.Data()), static_cast<DWORD>(image.Size()), TRUE,
                    0x00030000, decoded->width, decoded->height, 0));
                ASSERT_TRUE(icon) << path << " " << item << " image " << i;
                const bool alpha = HasAlphaChannel(image);
                const std::string difference = Compare(*decoded, icon.Get(), alpha);
                if (!difference.empty() && ++mismatches <= 5)
                    ADD_FAILURE() << path << " " << item << " image " << i << ": " << difference;
                ++images;
                withAlpha += alpha;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(images, 1000);
    EXPECT_GT(withAlpha, 100);
    EXPECT_LT(withAlpha, images) << "the libraries hold images without alpha too";
}
