// Cursors: group cursors of image files, .cur files and .ani files read and written.
#include "engine/AniFile.h"
#include "engine/GroupCursor.h"
#include "engine/IcoWriter.h"
#include "engine/IconGroups.h"
#include "engine/IconImage.h"
#include "engine/IconImageSet.h"
#include "engine/PEFile.h"
#include "support/CursorData.h"
#include "support/Listing.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quarvel;
using namespace quarvel::test;

namespace {

using Strings = std::vector<std::string>;

// Records icons and cursors in the order listed.
struct CursorRecorder : ListingRecorder {
    bool TakesCursors() const override { return true; }
    int AddGroupCursor(const char* path, ResKey name, std::uint16_t language) override {
        paths.push_back(path);
        items.push_back("cursor " +
                        (name.IsId() ? std::to_string(name.Id()) : std::string(name.Name())) + "/" +
                        std::to_string(language));
        return 1;
    }
    int AddCursorFile(const char* path) override {
        paths.push_back(path);
        items.push_back("cur");
        return 1;
    }
    int AddAnimatedCursorFile(const char* path) override {
        paths.push_back(path);
        items.push_back("ani");
        return 1;
    }
};

// The image after a stored hot spot.
Bytes Image(const std::vector<std::uint8_t>& stored) {
    return Bytes(stored.begin() + 4, stored.end());
}

// An image as a .cur file is written: biSizeImage and the resolution cleared in a bitmap.
Bytes AsWritten(Bytes image) {
    ClearBitmapSizeImage(image.data(), image.size());
    ClearBitmapResolution(image.data(), image.size());
    return image;
}

// An image with a group icon, two group cursors (one named, in two languages) and their images.
struct CursorImage {
    CursorImage() {
        const Bytes icon = MakeBmpImage(16, 4);
        AddIconGroup(tree, 1, 1033, {icon}, {16}, {4}, 1);
        arrow = AddCursorGroup(tree, 32512, 1033, {32, 48}, {{3, 4}, {5, 6}}, 10);
        AddCursorGroup(tree, u"HAND", 1033, {32}, {{7, 8}}, 20);
        hand = AddCursorGroup(tree, u"HAND", 1031, {32}, {{9, 10}}, 30);
        bytes = BuildImageWithResources(tree);
    }
    ResourceTree tree;
    std::vector<Bytes> arrow, hand;
    Bytes bytes;
};

} // namespace

TEST(GroupCursors, ListedAfterTheIconsOnlyToReceiversThatTakeThem) {
    const CursorImage image;
    TempFolder folder;
    const std::string path = folder.Write("app.exe", image.bytes);
    CursorRecorder cursors;
    EXPECT_EQ(ListIconGroups(path.c_str(), &cursors), 4);
    EXPECT_EQ(cursors.items,
              (Strings{"1/1033", "cursor 32512/1033", "cursor HAND/1033", "cursor HAND/1031"}))
        << "icons first, then cursors: names in stored order, then languages";

    ListingRecorder iconsOnly;
    EXPECT_EQ(ListIconGroups(path.c_str(), &iconsOnly), 1);
    EXPECT_EQ(iconsOnly.items, Strings{"1/1033"});

    // Whole cursor files are listed by their names, only to receivers that take them.
    const std::string cur = folder.Write("a.CUR", MakeCurFile({32}, {{1, 1}}));
    const std::string ani = folder.Write("b.ani", BuildAni(MakeAniParts(2)));
    CursorRecorder files;
    EXPECT_EQ(ListIconGroups(cur.c_str(), &files), 1);
    EXPECT_EQ(ListIconGroups(ani.c_str(), &files), 1);
    EXPECT_EQ(files.items, (Strings{"cur", "ani"}));
    EXPECT_EQ(ListIconGroups(cur.c_str(), &iconsOnly), 0);
    EXPECT_EQ(ListIconGroups(folder.Path().c_str(), &files), 0) << "a folder lists nothing";
}

TEST(GroupCursors, ReadWithTheirHotSpotsAndSavedAsCurThatReadsBack) {
    const CursorImage image;
    const CPEFile file(image.bytes.data(), image.bytes.size());
    const auto set = ReadGroupCursorImages(file, ResKey(32512), 1033);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->type, kCursorType);
    ASSERT_EQ(set->Count(), 2);
    const std::vector<std::pair<int, int>> spots = {{3, 4}, {5, 6}};
    for (int i = 0; i < 2; ++i) {
        const IconSetEntry& e = set->entries[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.wPlanes, spots[static_cast<std::size_t>(i)].first);
        EXPECT_EQ(e.wBitCount, spots[static_cast<std::size_t>(i)].second);
        EXPECT_EQ(e.image, Image(image.arrow[static_cast<std::size_t>(i)]));
        EXPECT_EQ(e.bWidth, i == 0 ? 32 : 48);
        EXPECT_EQ(e.bHeight, e.bWidth) << "the image's height, not the doubled one";
    }
    const auto named = ReadGroupCursorImages(file, ResKey("hand"), 1031);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->entries[0].wPlanes, 9) << "the language asked for";

    TempFolder folder;
    const std::string cur = folder.File("arrow.cur");
    ASSERT_TRUE(SaveGroupAsCur(file, ResKey(32512), 1033, cur.c_str(), false));
    EXPECT_FALSE(SaveGroupAsCur(file, ResKey(32512), 1033, cur.c_str(), false))
        << "an existing file is kept";
    const auto back = ReadCurFileImages(cur.c_str());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Count(), 2);
    EXPECT_EQ(back->entries[1].wPlanes, 5);
    EXPECT_EQ(back->entries[1].wBitCount, 6);
    EXPECT_EQ(back->entries[1].bColorCount, 2) << "from the 1-bit image, not the hot spot";
    EXPECT_EQ(back->entries[1].image, AsWritten(Image(image.arrow[1])));
    EXPECT_EQ(ReadIcoFileImages(cur.c_str()), nullptr) << "a cursor is not an icon";
    EXPECT_FALSE(SaveGroupAsCur(file, ResKey(1), 1033, folder.File("icon.cur").c_str(), true))
        << "a group icon is not a group cursor";
}

TEST(GroupCursors, DamagedGroupsAreRefused) {
    const auto refused = [](const std::function<void(ResourceTree&)>& damage) {
        ResourceTree tree;
        damage(tree);
        const Bytes bytes = BuildImageWithResources(tree);
        const CPEFile file(bytes.data(), bytes.size());
        return ReadGroupCursorImages(file, ResKey(1), 0) == nullptr;
    };
    EXPECT_FALSE(refused([](ResourceTree& t) { AddCursorGroup(t, 1, 0, {32}, {{1, 1}}, 5); }));
    // A group of one 32x32 entry of `size` bytes, image 5.
    const auto group = [](std::uint8_t size) {
        return Bytes{0, 0, 2, 0, 1, 0, 32, 0, 64, 0, 1, 0, 1, 0, size, 0, 0, 0, 5, 0};
    };
    const Bytes resource =
        AddCursorGroup(*std::make_unique<ResourceTree>(), 9, 0, {8}, {{1, 1}}, 5)[0];
    ASSERT_LT(resource.size(), 256u);
    const auto size = static_cast<std::uint8_t>(resource.size());
    EXPECT_FALSE(refused([&](ResourceTree& t) {
        t.Add(1, 5, 0, resource);
        t.Add(12, 1, 0, group(size));
    }));
    EXPECT_TRUE(refused([&](ResourceTree& t) {
        t.Add(1, 5, 0, resource);
        t.Add(12, 1, 0, group(static_cast<std::uint8_t>(size + 1)));
    })) << "the image is shorter than the group says";
    EXPECT_TRUE(refused([&](ResourceTree& t) {
        t.Add(1, 5, 0, Bytes{1, 0, 1, 0});
        t.Add(12, 1, 0, group(4));
    })) << "an image no longer than its hot spot";
    EXPECT_TRUE(refused([](ResourceTree& t) {
        t.Add(12, 1, 0, Bytes{0, 0, 2, 0, 9, 0});
    })) << "a group that counts more entries than it holds";
}

TEST(CurFiles, ReadWithTheirHotSpotsAndWrittenBackTheSame) {
    TempFolder folder;
    const Bytes bytes = MakeCurFile({16, 32}, {{2, 3}, {15, 31}});
    const std::string path = folder.Write("a.cur", bytes);
    const auto set = ReadCurFileImages(path.c_str());
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->entries[1].wPlanes, 15);
    EXPECT_EQ(set->entries[1].wBitCount, 31);
    const std::string copy = folder.File("b.cur");
    ASSERT_TRUE(WriteIcoFile(copy.c_str(), *set));
    const auto back = ReadCurFileImages(copy.c_str());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Count(), 2);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back->entries[i].wPlanes, set->entries[i].wPlanes);
        EXPECT_EQ(back->entries[i].wBitCount, set->entries[i].wBitCount);
        EXPECT_EQ(back->entries[i].bWidth, set->entries[i].bWidth);
        EXPECT_EQ(back->entries[i].image, AsWritten(set->entries[i].image));
    }
    EXPECT_EQ(ReadIcoOrCurImages(ByteView(bytes.data(), bytes.size()))->type, kCursorType);

    const Bytes cut(bytes.begin(), bytes.end() - 1);
    EXPECT_EQ(ReadCurImages(ByteView(cut.data(), cut.size())), nullptr) << "an image cut short";
}
