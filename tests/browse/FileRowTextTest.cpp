// The texts of a file list row: path splitting, sizes and dates.
#include "FileRowText.h"

#include <gtest/gtest.h>

TEST(FileRowText, SplitsAtTheLastBackslashAfterDroppingATrailingOne) {
    FileRowPath parts;
    ASSERT_TRUE(SplitRowPath("C:\\WINNT\\notepad.exe", parts));
    EXPECT_STREQ(parts.folder, "C:\\WINNT\\");
    EXPECT_STREQ(parts.name, "notepad.exe");
    ASSERT_TRUE(SplitRowPath("C:\\windows\\system32\\", parts));
    EXPECT_STREQ(parts.folder, "C:\\windows\\");
    EXPECT_STREQ(parts.name, "system32");
    ASSERT_TRUE(SplitRowPath("\\\\server\\share", parts));
    EXPECT_STREQ(parts.folder, "\\\\server\\");
    EXPECT_STREQ(parts.name, "share");
}

TEST(FileRowText, RefusesPathsWithoutAFolder) {
    FileRowPath parts;
    EXPECT_FALSE(SplitRowPath(nullptr, parts));
    EXPECT_FALSE(SplitRowPath("", parts));
    EXPECT_FALSE(SplitRowPath("notepad.exe", parts));
    EXPECT_FALSE(SplitRowPath("\\notepad.exe", parts)); // only a leading backslash
    EXPECT_FALSE(SplitRowPath("C:\\", parts));          // "C:" once the backslash is gone
    EXPECT_FALSE(SplitRowPath("\\", parts));
}

TEST(FileRowText, JoinsFolderAndNameWithOneBackslash) {
    EXPECT_STREQ(JoinRowPath("C:\\WINNT\\", "notepad.exe"), "C:\\WINNT\\notepad.exe");
    EXPECT_STREQ(JoinRowPath("C:\\WINNT", "notepad.exe"), "C:\\WINNT\\notepad.exe");
}

TEST(FileRowText, SizeCountsStartedKilobytesOverTheWhole64Bits) {
    EXPECT_STREQ(SizeText(0), "1KB");
    EXPECT_STREQ(SizeText(1023), "1KB");
    EXPECT_STREQ(SizeText(1024), "2KB");
    EXPECT_STREQ(SizeText(10 * 1024), "11KB");
    // 5 GB is not 1 GB plus change, as its low 32 bits alone would make it.
    EXPECT_STREQ(SizeText(5ull << 30), "5242881KB");
    EXPECT_STREQ(SizeText(0xFFFFFFFFull), "4194304KB");
    EXPECT_STREQ(SizeText(~0ull), "18014398509481984KB"); // no wrap at the top either
}

TEST(FileRowText, DateIsLocalTimeAsMonthDayYearHourMinute) {
    SYSTEMTIME local{};
    local.wYear = 2001;
    local.wMonth = 7;
    local.wDay = 3;
    local.wHour = 14;
    local.wMinute = 5;
    local.wSecond = 9;
    SYSTEMTIME universal;
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal));
    FILETIME time;
    ASSERT_TRUE(SystemTimeToFileTime(&universal, &time));
    EXPECT_STREQ(DateText(time), "07/03/2001 14:05");

    FILETIME outOfRange{0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_STREQ(DateText(outOfRange), "");
}
