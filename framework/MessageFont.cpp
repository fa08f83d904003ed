// AfxGetMessageFont: fonts made from the system's message-box font, one per DPI, for the whole
// process.
#include "MessageFont.h"

#include "Dpi.h"
#include "Handles.h"

#include <cstddef>
#include <map>

namespace {

// The size of NONCLIENTMETRICS before its last field, which every version of the system accepts.
template <class Metrics> Metrics EmptyMetrics() {
    Metrics metrics{};
    metrics.cbSize = offsetof(Metrics, iPaddedBorderWidth);
    return metrics;
}

ScopedFont MakeMessageFont(int dpi) {
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    const HMODULE user = GetModuleHandleA("user32.dll");
    const auto forDpi = user ? reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
                                   GetProcAddress(user, "SystemParametersInfoForDpi")))
                             : nullptr;
    if (forDpi) {
        // Its one form takes the wide structure.
        NONCLIENTMETRICSW metrics = EmptyMetrics<NONCLIENTMETRICSW>();
        if (forDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, static_cast<UINT>(dpi)))
            return ScopedFont(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    NONCLIENTMETRICSA metrics = EmptyMetrics<NONCLIENTMETRICSA>();
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return ScopedFont();
    LOGFONTA& font = metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, dpi, AfxGetSystemDpi());
    return ScopedFont(CreateFontIndirectA(&font));
}

} // namespace

HFONT AfxGetMessageFont() {
    static const int systemDpi = AfxGetSystemDpi();
    return AfxGetMessageFont(systemDpi);
}

HFONT AfxGetMessageFont(int dpi) {
    static std::map<int, ScopedFont> fonts;
    auto found = fonts.find(dpi);
    if (found == fonts.end())
        found = fonts.emplace(dpi, MakeMessageFont(dpi)).first;
    return found->second ? found->second.Get()
                         : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
