// The version set in CMake's project() reaches the version resource and the caption title whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resource.h"

namespace {

TEST(Version, ResourceAndCaptionCarryTheProjectVersion) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeA(self, &ignored), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(self, 0, DWORD(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS,
              DWORD(QUARVEL_TEST_VERSION_MAJOR << 16 | QUARVEL_TEST_VERSION_MINOR));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(QUARVEL_TEST_VERSION_PATCH << 16));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);

    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &size));
    EXPECT_STREQ(text, QUARVEL_TEST_VERSION);

    char title[64] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_VERSION_TITLE, title, sizeof title);
    EXPECT_EQ(std::string(title), "Quarvel v" + std::to_string(QUARVEL_TEST_VERSION_MAJOR) + "." +
                                      std::to_string(QUARVEL_TEST_VERSION_MINOR));
}

} // namespace
