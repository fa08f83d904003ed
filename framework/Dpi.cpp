// A window's DPI and system metrics at a DPI, through the calls of newer systems where present.
#include "Dpi.h"

#include "Handles.h"

namespace {

template <class Function> Function Lookup(HMODULE module, const char* name) {
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

// Calls that older systems lack, looked up once: GetDpiForWindow and GetSystemMetricsForDpi
// came with Windows 10 1607, GetDpiForMonitor with Windows 8.1.
struct DpiCalls {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;

    DpiCalls() {
        const HMODULE user = GetModuleHandleA("user32.dll");
        getDpiForWindow = Lookup<decltype(getDpiForWindow)>(user, "GetDpiForWindow");
        getSystemMetricsForDpi =
            Lookup<decltype(getSystemMetricsForDpi)>(user, "GetSystemMetricsForDpi");
        // Only from the system folder; the library stays loaded for the process.
        const HMODULE shcore = LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        getDpiForMonitor = Lookup<decltype(getDpiForMonitor)>(shcore, "GetDpiForMonitor");
    }
};

constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

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
    UINT x = 0, y = 0;
    if (window && Calls().getDpiForMonitor &&
        SUCCEEDED(Calls().getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                           kEffectiveDpi, &x, &y)) &&
        y > 0)
        return static_cast<int>(y);
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
