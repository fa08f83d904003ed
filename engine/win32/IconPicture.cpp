// Drawing an icon onto a square of a solid colour, off-screen.
#include "../IconPicture.h"

namespace quarvel {

namespace {
void PaintPicture(HDC dc, HICON icon, int cx, int cy, const CellPlacement& at, HBRUSH background) {
    const RECT all = {0, 0, cx, cy};
    // The system's own brush follows a change of the window colour.
    FillRect(dc, &all, background ? background : GetSysColorBrush(COLOR_WINDOW));
    DrawIconEx(dc, at.left, at.top, icon, at.width, at.height, 0, nullptr, DI_NORMAL);
}
} // namespace

ScopedBitmap DrawIconPicture(HICON icon, int cx, int cy, const CellPlacement& at,
                             HBRUSH background) {
    if (icon == nullptr)
        return ScopedBitmap();
    MemoryCanvas canvas(nullptr, cx, cy);
    if (!canvas)
        return ScopedBitmap();
    PaintPicture(canvas.DC(), icon, cx, cy, at, background);
    return canvas.TakeBitmap();
}

} // namespace quarvel
