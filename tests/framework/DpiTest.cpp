// DPI helpers: the picture strip chosen for a size, and the message font at each DPI.
#include "Framework.h"

#include <gtest/gtest.h>

namespace {

int FontHeight(HFONT font) {
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    return description.lfHeight;
}

} // namespace

TEST(Dpi, APictureStripIsNeverStretchedUpOnlyAStripOfSmallerImagesTaken) {
    const SizedPicture strips[] = {{16, 1}, {20, 2}, {24, 3}, {32, 4}};
    const std::pair<int, UINT> wantedToChosen[] = {
        {16, 1}, {19, 1}, {20, 2}, {23, 2}, {24, 3},
        {30, 3}, {32, 4}, {64, 4}, {12, 1}, // every strip is larger: the smallest
    };
    for (const auto& [wanted, chosen] : wantedToChosen)
        EXPECT_EQ(AfxChoosePictureSize(strips, wanted).resourceId, chosen) << wanted;
}

TEST(Dpi, TheMessageFontIsMadeOncePerDpiAtItsSize) {
    const HFONT at96 = AfxGetMessageFont(96);
    const HFONT at192 = AfxGetMessageFont(192);
    ASSERT_NE(at96, at192);
    EXPECT_EQ(AfxGetMessageFont(192), at192);
    EXPECT_EQ(FontHeight(at192), 2 * FontHeight(at96));
    EXPECT_EQ(AfxGetMessageFont(), AfxGetMessageFont(AfxGetSystemDpi()));

    // A window of this system is at the system DPI, and metrics scale with the DPI asked for.
    EXPECT_EQ(AfxGetWindowDpi(GetDesktopWindow()), AfxGetSystemDpi());
    EXPECT_EQ(AfxGetSystemMetricForDpi(SM_CXICON, 2 * AfxGetSystemDpi()),
              2 * GetSystemMetrics(SM_CXICON));
}
