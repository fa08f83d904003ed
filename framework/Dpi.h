// Dots per inch: a window's DPI, and the program's pixel sizes (written for 96 DPI) at it.
#pragma once

#include <windows.h>

#include <cstddef>

// The DPI every pixel size in the program is written for (100 %).
constexpr int kDesignDpi = 96;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10 1607 and later), else
// its monitor's (Windows 8.1), else the LOGPIXELSY of the window's device context, which is the
// system DPI. Never below 1.
int AfxGetWindowDpi(HWND window);
// The DPI of the whole system, which unscaled system metrics and fonts are made for.
int AfxGetSystemDpi();

// A size written for 96 DPI, at dpi.
inline int AfxScaleToDpi(int size, int dpi) {
    return MulDiv(size, dpi, kDesignDpi);
}

// A system metric (SM_CXICON, ...) at dpi: GetSystemMetricsForDpi where the system has it, else
// the metric at the system DPI scaled to dpi.
int AfxGetSystemMetricForDpi(int index, int dpi);

// A strip of pictures drawn with images of `side` pixels, in the resources at `resourceId`.
struct SizedPicture {
    int side;
    UINT resourceId;
};

// Of strips listed smallest first, the one with the largest images not above `wanted` pixels,
// or the first when even its images are larger: a picture is never stretched up.
const SizedPicture& AfxChoosePictureSize(const SizedPicture* sizes, std::size_t count, int wanted);
template <std::size_t N>
const SizedPicture& AfxChoosePictureSize(const SizedPicture (&sizes)[N], int wanted) {
    return AfxChoosePictureSize(sizes, N, wanted);
}
