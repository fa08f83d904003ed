// Drawing icons into bitmaps and writing .bmp files with GDI.
#include "../BitmapWriter.h"
#include "../DisplayIcon.h"
#include "../IconPicture.h"

#include "../platform/FileSystem.h"

#include <cstdint>

namespace quarvel {

namespace {

// The depth class that sizes rows and the colour table: 1, 4, 8, 16, 24 or 32.
int DepthClass(const BITMAP& bm) {
    const auto bits = static_cast<std::uint16_t>(bm.bmPlanes * bm.bmBitsPixel);
    if (bits == 1)
        return 1;
    if (bits <= 4)
        return 4;
    if (bits <= 8)
        return 8;
    if (bits <= 16)
        return 16;
    if (bits <= 24)
        return 24;
    return 32;
}

} // namespace

HBITMAP IconToBitmap(HICON icon) {
    if (icon == nullptr)
        return nullptr;
    // Square: a monochrome icon's mask is twice as high as the icon.
    const int side = IconWidth(icon);
    if (side == 0)
        return nullptr;
    return DrawIconPicture(icon, side, side, CellPlacement{0, 0, side, side}).Detach();
}

BITMAPINFO* CreateBitmapInfo(HBITMAP bitmap) {
    BITMAP bm;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0)
        return nullptr;
    const int depth = DepthClass(bm);
    const std::uint64_t rowBytes =
        (std::uint64_t{static_cast<std::uint32_t>(depth)} * bm.bmWidth + 31) / 32 * 4;
    const std::uint64_t imageBytes = rowBytes * static_cast<std::uint64_t>(bm.bmHeight);
    if (imageBytes > 0xFFFFFFFFu)
        return nullptr;
    const DWORD colours = depth < 24 ? 1u << depth : 0;
    auto* info = static_cast<BITMAPINFO*>(LocalAlloc(LPTR, sizeof(BITMAPINFOHEADER) + 4 * colours));
    if (info == nullptr)
        return nullptr;
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = bm.bmWidth;
    h.biHeight = bm.bmHeight;
    h.biPlanes = bm.bmPlanes;
    h.biBitCount = bm.bmBitsPixel;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(imageBytes);
    h.biClrUsed = colours;
    return info;
}

int WriteBmpFile(const char* path, HBITMAP bitmap, bool overwrite) {
    if (path == nullptr || *path == '\0' || bitmap == nullptr)
        return 0;
    BITMAPINFO* info = CreateBitmapInfo(bitmap);
    if (info == nullptr)
        return 0;
    const BITMAPINFOHEADER header = info->bmiHeader;
    const DWORD infoBytes = sizeof(BITMAPINFOHEADER) + 4 * header.biClrUsed;
    auto* pixels =
        static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, header.biSizeImage ? header.biSizeImage : 1));
    int lines = 0;
    if (pixels) {
        const ScopedWindowDC screen;
        if (screen)
            lines = GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(header.biHeight), pixels,
                              info, DIB_RGB_COLORS);
    }
    int result = 0;
    if (lines != 0) {
        // GetDIBits may fill in the header; the file keeps the values computed above.
        info->bmiHeader = header;
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + infoBytes;
        file.bfSize = file.bfOffBits + header.biSizeImage;
        platform::AtomicFileWriter writer;
        result = writer.Create(path, overwrite) && writer.Write(&file, sizeof file) &&
                         writer.Write(info, infoBytes) &&
                         writer.Write(pixels, header.biSizeImage) && writer.Commit()
                     ? 1
                     : 0;
    }
    if (pixels)
        GlobalFree(pixels);
    LocalFree(info);
    return result;
}

int WriteImageBmpFile(const char* path, const ByteView& image, bool overwrite) {
    const SizedIcon icon = BuildIconFromImage(image);
    if (!icon.icon)
        return 0;
    const ScopedBitmap bitmap(IconToBitmap(icon.icon.Get()));
    return bitmap ? WriteBmpFile(path, bitmap.Get(), overwrite) : 0;
}

} // namespace quarvel
