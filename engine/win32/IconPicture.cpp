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

PictureCanvas::PictureCanvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
    m_bitmap = MakeDibSection(cx, cy);
    if (m_bitmap)
        m_dc.Reset(CreateCompatibleDC(nullptr));
}

HBITMAP PictureCanvas::Draw(HICON icon, const CellPlacement& at) {
    if (icon == nullptr || !*this)
        return nullptr;
    // Selected only while drawing: an image list copies from a bitmap that no other device
    // context holds.
    const ScopedSelect selected(m_dc.Get(), m_bitmap.Get());
    if (!selected)
        return nullptr;
    PaintPicture(m_dc.Get(), icon, m_cx, m_cy, at, nullptr);
    return m_bitmap.Get();
}

} // namespace quarvel
