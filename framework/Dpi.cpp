// A window's DPI and system metrics at a DPI, through the calls of newer systems where present.
#include "Dpi.h"

#include "Handles.h"

namespace {

// Calls that Windows 7 and 8 lack, looked up once.
struct DpiCalls {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;

    DpiCalls() {
        const HMODULE user = GetModuleHandleA("user32.dll");
        if (!user)
            return;
        getDpiForWindow = reinterpret_cast<decltype(getDpiForWindow)>(
            reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
        getSystemMetricsForDpi = reinterpret_cast<decltype(getSystemMetricsForDpi)>(
            reinterpret_cast<void*>(GetProcAddress(user, "GetSystemMetricsForDpi")));
    }
};

const DpiCalls& Calls() {
    static const DpiCalls calls;
    return calls;
}

int LogPixelsOf(HWND window) {
    const ScopedWindowDC dc(window);
    const int dpi = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int AfxGetWindowDpi(HWND window) {
    if (window && Calls().getDpiForWindow)
        if (const UINT dpi = Calls().getDpiForWindow(window))
            return static_cast<int>(dpi);
    return LogPixelsOf(window);
}

int AfxGetSystemDpi() {
    return LogPixelsOf(nullptr);
}

int AfxGetSystemMetricForDpi(int index, int dpi) {
    if (Calls().getSystemMetricsForDpi)
        return Calls().getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, AfxGetSystemDpi());
}

const SizedPicture& AfxChoosePictureSize(const SizedPicture* sizes, std::size_t count, int wanted) {
    std::size_t chosen = 0;
    for (std::size_t i = 1; i < count; ++i)
        if (sizes[i].side <= wanted)
            chosen = i;
    return sizes[chosen];
}
