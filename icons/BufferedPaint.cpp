// A control painted into a DIB section and copied to its window.
#include "BufferedPaint.h"

#include "engine/win32/GdiOwners.h"

#include <optional>

namespace quarvel {

namespace {
constexpr LPARAM kPrintWhole = PRF_ERASEBKGND | PRF_CLIENT;

} // namespace

void PaintThroughDib(HWND control) {
    PAINTSTRUCT paint;
    HDC window = BeginPaint(control, &paint);
    if (!window)
        return;
    const RECT& area = paint.rcPaint;
    const int cx = area.right - area.left, cy = area.bottom - area.top;
    if (cx > 0 && cy > 0) {
        ScopedBitmap dib = MakeDibSection(cx, cy);
        ScopedMemoryDC buffer(dib ? CreateCompatibleDC(window) : nullptr);
        std::optional<ScopedSelect> selected;
        if (buffer)
            selected.emplace(buffer.Get(), dib.Get());
        if (selected && *selected) {
            // The control paints in its own client coordinates; the buffer holds the update only.
            SetViewportOrgEx(buffer.Get(), -area.left, -area.top, nullptr);
            SendMessage(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Get()),
                        kPrintWhole);
            SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
            BitBlt(window, area.left, area.top, cx, cy, buffer.Get(), 0, 0, SRCCOPY);
        } else {
            SendMessage(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(window), kPrintWhole);
        }
    }
    EndPaint(control, &paint);
}

} // namespace quarvel
