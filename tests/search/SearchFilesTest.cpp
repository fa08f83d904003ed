// The search's walk on real folder trees under Wine: the content probe, drive roots, and
// agreement with a plain recursive walk (names, temporary entries, subfolders).
#include "SearchTrees.h"
#include "Win32FolderSource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quarvel::search {
namespace {

using test::OnlyTypes;
using test::PlainWalk;
using test::TestTree;
using Paths = std::vector<std::string>;

struct Collected : FoundSink {
    void Found(const std::string& path) override { paths.push_back(path); }
    Paths paths;
};

Paths Search(const std::string& folder, const SearchFilter& filter, bool subfolders = true) {
    Win32FolderSource source;
    std::atomic<bool> stop{false};
    Collected found;
    SearchWalk(source, filter, subfolders, stop, found).SearchFolder(folder);
    return found.paths;
}

TEST(SearchFiles, AllFilesModeTellsImageFilesByTheirFirstBytesAndSize) {
    TestTree tree("quarvel search probe");
    const std::string smallImage = tree.AddFile("small.exe", 3 * 1024, "MZ");
    const std::string image = tree.AddFile("image.exe", 4096, "MZ");
    const std::string huge = tree.AddFile("huge.dll", 64 * 1024 * 1024 + 1, "MZ");
    const std::string text = tree.AddFile("notes.txt", 4096, "MZ this is text");
    const std::string largest = tree.AddFile("largest", 64 * 1024 * 1024, "MZ");
    const std::string plain = tree.AddFile("plain.exe", 4096, "PK");
    const std::string icon = tree.AddFile("broken.Ico", 3, "xyz");
    const std::string folder = tree.AddFolder("folder.exe");

    Paths found = Search(tree.root(), SearchFilter{});
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Paths{icon, image, largest, text}));

    EXPECT_EQ(IsExecutableImage(image.c_str()), kLooksLikeImage);
    EXPECT_EQ(IsExecutableImage(smallImage.c_str()), kNotAnImage);
    EXPECT_EQ(IsExecutableImage(huge.c_str()), kNotAnImage);
    EXPECT_EQ(IsExecutableImage(plain.c_str()), kNotAnImage);
    EXPECT_EQ(IsExecutableImage(folder.c_str()), kNotAnImage);
    EXPECT_EQ(IsExecutableImage((tree.root() + "\\missing.exe").c_str()), kNotAnImage);
    EXPECT_EQ(IsExecutableImage(""), kNoPath);
    // A file another program holds open for writing (sharing reading only, and free to rename
    // or delete it) is probed as every reader of the program reads: shared with everyone.
    HANDLE writer = CreateFileA(image.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(IsExecutableImage(image.c_str()), kLooksLikeImage);
    CloseHandle(writer);
    // One that shares nothing does not open.
    writer = CreateFileA(image.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(IsExecutableImage(image.c_str()), kCannotOpen);
    CloseHandle(writer);
}

TEST(SearchFiles, ResultsEqualAPlainRecursiveWalkInTheSameOrder) {
    TestTree tree("quarvel search order");
    const char* names[] = {"q.exe", "B.DLL", "a.ico", "m.txt", "Z.EXE", "c.Scr", "k.exe"};
    for (int top = 0; top < 4; ++top) {
        const std::string folder = "f" + std::to_string((top * 7) % 5);
        tree.AddFolder(folder);
        for (int i = 0; i < 7; ++i)
            tree.AddFile(folder + "\\" + std::to_string(i) + names[(i + top) % 7]);
        tree.AddFolder(folder + "\\inner");
        tree.AddFile(folder + "\\inner\\x" + names[top]);
        tree.AddFile(std::to_string(top) + names[top]);
    }
    tree.AddFile("readme");
    tree.AddFolder("v1.2");
    tree.AddFile("v1.2\\tool");
    const std::string temporary = tree.AddFile("temp.exe");
    const std::string scratch = tree.AddFolder("scratch");
    tree.AddFile("scratch\\hidden.exe");
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_TEMPORARY);
    SetFileAttributesA(scratch.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY);

    // Where the file system keeps no temporary attribute (this Wine's does not), the two
    // entries are plain ones.
    const bool keepsTemporary =
        (GetFileAttributesA(temporary.c_str()) & GetFileAttributesA(scratch.c_str()) &
         FILE_ATTRIBUTE_TEMPORARY) != 0;

    const SearchFilter filter = OnlyTypes(true, true, true);
    const Paths plain = PlainWalk(tree.root(), filter, true);
    // Five a folder, three inner, three on top; "readme" and "v1.2\\tool" match nothing.
    ASSERT_EQ(plain.size(), keepsTemporary ? 26u : 28u);
    const Paths found = Search(tree.root(), filter);
    EXPECT_EQ(found, plain);
    EXPECT_EQ(Search(tree.root() + "\\", filter), plain);
    EXPECT_EQ(Search(tree.root(), filter, false), PlainWalk(tree.root(), filter, false));
}

TEST(SearchFiles, ADriveRootGivesPathsWithOneBackslash) {
    const std::string mine = "C:\\quarvel search root.exe";
    HANDLE file = CreateFileA(mine.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const Paths found = Search("C:\\", OnlyTypes(true), false);
    DeleteFileA(mine.c_str());
    EXPECT_NE(std::find(found.begin(), found.end(), mine), found.end());
    for (const std::string& path : found)
        EXPECT_EQ(path.find('\\', 3), std::string::npos) << path;
}

} // namespace
} // namespace quarvel::search
