// Icon sizes, cell placement, icon pictures and the clipboard.
#include "IconDrawing.h"

namespace quarvel {

CellPlacement PlaceInCell(int iconWidth, int cx, int cy) {
    if (iconWidth < 1 || cx < 1 || cy < 1)
        return {0, 0, 0, 0};
    int width = iconWidth, height = iconWidth;
    if (iconWidth > cx || iconWidth > cy) {
        const double gx = static_cast<double>(iconWidth) / cx;
        const double gy = static_cast<double>(iconWidth) / cy;
        const double g = gx > gy ? gx : gy;
        width = static_cast<int>(iconWidth / g);
        height = static_cast<int>(iconWidth / g);
    }
    return {(cx - width) / 2, (cy - height) / 2, width, height};
}

HBITMAP DrawIconPicture(HICON icon, int cx, int cy, const CellPlacement& at, HBRUSH background) {
    if (icon == nullptr || cx < 1 || cy < 1)
        return nullptr;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return nullptr;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(screen, cx, cy) : nullptr;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, cx, cy};
        FillRect(memory, &all, background);
        DrawIconEx(memory, at.left, at.top, icon, at.width, at.height, 0, nullptr, DI_NORMAL);
        SelectObject(memory, old);
    }
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap) {
    if (!OpenClipboard(owner)) {
        if (bitmap)
            DeleteObject(bitmap);
        return false;
    }
    EmptyClipboard();
    const bool taken = bitmap != nullptr && SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (bitmap && !taken)
        DeleteObject(bitmap);
    CloseClipboard();
    return taken;
}

} // namespace quarvel
