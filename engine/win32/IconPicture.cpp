// Drawing an icon onto a square of a solid colour, off-screen.
#include "../IconPicture.h"

namespace quarvel {

ScopedBitmap DrawIconPicture(HICON icon, int cx, int cy, const CellPlacement& at,
                             HBRUSH background) {
    if (icon == nullptr)
        return ScopedBitmap();
    MemoryCanvas canvas(nullptr, cx, cy);
    if (!canvas)
        return ScopedBitmap();
    const RECT all = {0, 0, cx, cy};
    // The system's own brush follows a change of the window colour.
    FillRect(canvas.DC(), &all, background ? background : GetSysColorBrush(COLOR_WINDOW));
    DrawIconEx(canvas.DC(), at.left, at.top, icon, at.width, at.height, 0, nullptr, DI_NORMAL);
    return canvas.TakeBitmap();
}

} // namespace quarvel
