// MemoryCanvas: a memory device context with a bitmap of its own selected into it; DIB sections.
#include "GdiOwners.h"

namespace quarvel {

ScopedBitmap MakeDibSection(int cx, int cy) {
    if (cx < 1 || cy < 1)
        return ScopedBitmap();
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = cx;
    format.bmiHeader.biHeight = -cy; // top-down, as a window is
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return ScopedBitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
}

MemoryCanvas::MemoryCanvas(HDC like, int cx, int cy) {
    if (cx < 1 || cy < 1)
        return;
    if (like) {
        Make(like, cx, cy);
        return;
    }
    // A bitmap compatible with a memory device context would be monochrome: the screen decides.
    ScopedWindowDC screen;
    if (screen)
        Make(screen.Get(), cx, cy);
}

void MemoryCanvas::Make(HDC like, int cx, int cy) {
    m_dc.Reset(CreateCompatibleDC(like));
    if (!m_dc)
        return;
    m_bitmap.Reset(CreateCompatibleBitmap(like, cx, cy));
    if (m_bitmap)
        m_select.emplace(m_dc.Get(), m_bitmap.Get());
}

ScopedBitmap MemoryCanvas::TakeBitmap() {
    if (!*this)
        return ScopedBitmap();
    m_select->Restore();
    return std::move(m_bitmap);
}

} // namespace quarvel
