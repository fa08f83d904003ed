// CString: the edges where fixed-size and index arithmetic usually go wrong.
#include "FwString.h"

#include <gtest/gtest.h>

#include <string>

TEST(CStringEdges, SlicesClampToTheText) {
    CString text("C:\\folder\\file.exe");
    EXPECT_STREQ(text.Left(-1), "");
    EXPECT_STREQ(text.Left(100), "C:\\folder\\file.exe");
    EXPECT_STREQ(text.Right(8), "file.exe");
    EXPECT_STREQ(text.Right(100), text);
    EXPECT_STREQ(text.Mid(100), "");
    EXPECT_STREQ(text.Mid(3, 100), "folder\\file.exe");
    EXPECT_STREQ(text.Mid(-5, 2), "C:");
    EXPECT_EQ(text.ReverseFind('\\'), 9);
    EXPECT_EQ(text.Find("file", 50), -1);
    EXPECT_EQ(CString().ReverseFind('\\'), -1);
}

TEST(CStringEdges, FormatGrowsToAnyLengthAndReplaceTerminates) {
    std::string longText(5000, 'x');
    CString formatted;
    formatted.Format("[%s] %d", longText.c_str(), 42);
    EXPECT_EQ(formatted.GetLength(), 5000 + 5);
    CString text("aaa");
    EXPECT_EQ(text.Replace("a", "aa"), 3); // replacements are not searched again
    EXPECT_STREQ(text, "aaaaaa");
    EXPECT_EQ(text.Replace("", "b"), 0);
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
}

TEST(CStringEdges, BufferWritesAreTrimmedAtTheirEnd) {
    CString text;
    char* buffer = text.GetBuffer(10);
    lstrcpyA(buffer, "abc");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 3);
    EXPECT_FALSE(text.LoadString(65000)); // no such string
    EXPECT_TRUE(text.IsEmpty());
}
