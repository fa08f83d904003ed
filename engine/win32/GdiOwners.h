// Owners of the GDI and icon handles the program makes: each gives its handle back when it goes.
#pragma once

#ifdef _WIN32

#include "ScopedHandle.h"

#include <optional>
#include <utility>
#include <windows.h>

namespace quarvel {

struct GdiObjectCloser {
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct MemoryDCCloser {
    static void Close(HDC dc) { DeleteDC(dc); }
};
struct IconCloser {
    static void Close(HICON icon) { DestroyIcon(icon); }
};
struct CursorCloser {
    static void Close(HCURSOR cursor) { DestroyCursor(cursor); }
};

using ScopedBitmap = ScopedHandle<HBITMAP, GdiObjectCloser>;
using ScopedBrush = ScopedHandle<HBRUSH, GdiObjectCloser>;
using ScopedFont = ScopedHandle<HFONT, GdiObjectCloser>;
using ScopedMemoryDC = ScopedHandle<HDC, MemoryDCCloser>;
using ScopedIcon = ScopedHandle<HICON, IconCloser>;
using ScopedCursor = ScopedHandle<HCURSOR, CursorCloser>;

// A window's device context, released when it goes: the client area's, or the whole window's
// with its frame. A null window gives the screen's.
class ScopedWindowDC {
public:
    enum Area { ClientArea, WholeWindow };
    explicit ScopedWindowDC(HWND window = nullptr, Area area = ClientArea)
        : m_window(window), m_dc(area == WholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~ScopedWindowDC() {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a device context and the one it replaced back when it goes (or at
// Restore). The object and the device context must outlive it.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() { Restore(); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    // False when the object could not be selected.
    explicit operator bool() const { return m_previous != nullptr; }
    void Restore() {
        if (m_previous)
            SelectObject(m_dc, std::exchange(m_previous, nullptr));
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A 32-bit top-down DIB section of cx by cy (null when it cannot be made): drawing on it stays
// in the process's memory, where a bitmap compatible with the screen costs trips to the display
// server.
ScopedBitmap MakeDibSection(int cx, int cy);

// A bitmap of cx by cy, compatible with a device context (the screen's when null) and selected
// into a memory device context of its own: a surface to draw on off-screen.
class MemoryCanvas {
public:
    MemoryCanvas(HDC like, int cx, int cy);

    // False when the device context or the bitmap could not be made.
    explicit operator bool() const { return m_select && *m_select; }
    HDC DC() const { return m_dc.Get(); }
    // Selects the bitmap out of the device context and hands it on; nothing is drawn after.
    ScopedBitmap TakeBitmap();

private:
    void Make(HDC like, int cx, int cy);

    // Declared in the order they are made: the bitmap is selected out before anything goes.
    ScopedMemoryDC m_dc;
    ScopedBitmap m_bitmap;
    std::optional<ScopedSelect> m_select;
};

} // namespace quarvel

#endif
