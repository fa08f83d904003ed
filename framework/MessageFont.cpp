// AfxGetMessageFont: one font made from the system's message-box font for the whole process.
#include "MessageFont.h"

#include "Handles.h"

#include <cstddef>

namespace {

ScopedFont MakeMessageFont() {
    // The size of NONCLIENTMETRICS before its last field, which every version of the system
    // accepts.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return ScopedFont();
    return ScopedFont(CreateFontIndirectA(&metrics.lfMessageFont));
}

} // namespace

HFONT AfxGetMessageFont() {
    static const ScopedFont font = MakeMessageFont();
    return font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
