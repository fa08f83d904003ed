// The open files of a batch of pictures: each mapped once, a few kept, all read afresh after
// CloseAll.
#include "engine/DisplayImage.h"
#include "engine/IconFileCache.h"
#include "engine/IconImage.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quarvel;
using namespace quarvel::test;

namespace {

Bytes GroupFile(int width) {
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409, {MakeBmpImage(width, 8)}, {width}, {8}, 1);
    return BuildImageWithResources(tree);
}

// The width of the image the file shows for group 1, read through the cache's index.
std::optional<std::int64_t> DisplayWidth(IndexedImageFile* file) {
    if (file == nullptr)
        return std::nullopt;
    const auto image = ChooseDisplayImage(file->File(), file->Images(), 1, 0x409, 32);
    return image ? ImageWidth(*image) : std::nullopt;
}

} // namespace

TEST(IconFileCache, OpensEachFileOnceAndKeepsTheFewUsedLast) {
    TempFolder dir;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i <= IconFileCache::kMaxOpenFiles; ++i)
        paths.push_back(dir.Write("f" + std::to_string(i) + ".dll", GroupFile(32)));
    IconFileCache files;
    IndexedImageFile* first = files.Open(paths[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(DisplayWidth(first), 32);
    EXPECT_EQ(files.Open(paths[0]), first) << "the same open file";
    EXPECT_EQ(files.OpenCount(), 1u);

    IndexedImageFile* second = files.Open(paths[1]);
    for (std::size_t i = 2; i < IconFileCache::kMaxOpenFiles; ++i)
        files.Open(paths[i]);
    EXPECT_EQ(files.Open(paths[0]), first); // now the one used last
    EXPECT_EQ(files.OpenCount(), IconFileCache::kMaxOpenFiles);
    // One file more closes the second, the one used least recently; the first stays open.
    ASSERT_NE(files.Open(paths.back()), nullptr);
    EXPECT_EQ(files.OpenCount(), IconFileCache::kMaxOpenFiles);
    EXPECT_EQ(files.Open(paths[0]), first);
    second = files.Open(paths[1]);
    EXPECT_EQ(DisplayWidth(second), 32) << "opened again";

    // Files that do not open as image files take no place.
    EXPECT_EQ(files.Open(dir.File("missing.dll")), nullptr);
    EXPECT_EQ(files.Open(dir.Write("text.dll", Bytes{'h', 'i'})), nullptr);
    EXPECT_EQ(files.Open(""), nullptr);
    EXPECT_EQ(files.OpenCount(), IconFileCache::kMaxOpenFiles);
}

TEST(IconFileCache, AfterCloseAllEveryFileIsReadAsItIsNow) {
    TempFolder dir;
    const std::string path = dir.Write("changing.dll", GroupFile(32));
    IconFileCache files;
    ASSERT_EQ(DisplayWidth(files.Open(path)), 32);
    files.CloseAll();
    EXPECT_EQ(files.OpenCount(), 0u);
    // Nothing holds the file now: it can be replaced (which a mapping would forbid on Windows).
    const Bytes changed = GroupFile(16);
    dir.Write("changing.dll", changed);
    ASSERT_EQ(ReadFileBytes(path), changed);
    EXPECT_EQ(DisplayWidth(files.Open(path)), 16) << "no stale bytes";

    // A file that was missing is looked for again.
    const std::string late = dir.File("late.dll");
    EXPECT_EQ(files.Open(late), nullptr);
    dir.Write("late.dll", GroupFile(48));
    EXPECT_EQ(DisplayWidth(files.Open(late)), 48);
}
