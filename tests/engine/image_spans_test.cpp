// Icons read where their images lie in the file: the images, facts and identities of the copies
// read into sets, and an index of distinct icons that outlives the files it read.
#include "engine/GroupCursor.h"
#include "engine/IconFacts.h"
#include "engine/IconIdentity.h"
#include "engine/IconImageSet.h"
#include "engine/PEFile.h"
#include "support/CursorData.h"
#include "support/IconData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace quarvel;
using namespace quarvel::test;

namespace {

constexpr std::uint16_t kEnglish = 0x409, kGerman = 0x407;

// Group 1 (English and German: the same images), group 2 whose entry's size disagrees with its
// image, group 3 whose image is missing, group 4 with another PNG image, and a group cursor.
Bytes Library(std::uint8_t seed) {
    const Bytes small = MakeBmpImage(16, 4, seed), png = MakePngImage(48, 48, seed);
    ResourceTree tree;
    AddIconGroup(tree, 1, kEnglish, {small, png}, {16, 48}, {4, 32}, 1);
    AddIconGroup(tree, 1, kGerman, {small, png}, {16, 48}, {4, 32}, 3);
    GroupEntrySpec wrongSize = EntryFor(small, 16, 4, 5);
    ++wrongSize.bytesInRes;
    tree.Add(kResTypeIcon, 5, kEnglish, small);
    tree.Add(kResTypeGroupIcon, 2, kEnglish, MakeGroup({wrongSize}));
    tree.Add(kResTypeGroupIcon, 3, kEnglish, MakeGroup({EntryFor(small, 16, 4, 99)}));
    AddIconGroup(tree, 4, kEnglish, {MakePngImage(32, 32, seed)}, {32}, {32}, 6);
    AddCursorGroup(tree, 1, kEnglish, {32, 48}, {{3, 4}, {5, 6}}, 20);
    return BuildImageWithResources(tree);
}

void ExpectSameFacts(const IconFacts& a, const IconFacts& b) {
    ASSERT_EQ(a.images.size(), b.images.size());
    for (std::size_t i = 0; i < a.images.size(); ++i) {
        EXPECT_EQ(a.images[i].width, b.images[i].width) << i;
        EXPECT_EQ(a.images[i].bitCount, b.images[i].bitCount) << i;
    }
    EXPECT_EQ(a.hasPng, b.hasPng);
    EXPECT_EQ(a.isCursor, b.isCursor);
}

} // namespace

TEST(ImageSpans, GroupsViewedInTheFileAreTheImagesReadIntoSets) {
    const Bytes pe = Library(1);
    const CPEFile file(pe.data(), pe.size());
    IconImageSpans images;
    images.images.resize(3); // what a failed read leaves is emptied
    struct Group {
        int name;
        std::uint16_t language;
        bool cursor;
    };
    int read = 0;
    for (const Group group :
         {Group{1, kEnglish, false}, Group{1, kGerman, false}, Group{1, 0x40C, false},
          Group{2, kEnglish, false}, Group{3, kEnglish, false}, Group{4, kEnglish, false},
          Group{1, kEnglish, true}, Group{9, kEnglish, true}}) {
        SCOPED_TRACE(testing::Message() << group.name << "/" << group.language << group.cursor);
        const bool viewed = group.cursor
                                ? FindGroupCursorSpans(file, group.name, group.language, images)
                                : FindGroupImageSpans(file, group.name, group.language, images);
        const auto set = group.cursor ? ReadGroupCursorImages(file, group.name, group.language)
                                      : ReadGroupImages(file, group.name, group.language);
        ASSERT_EQ(viewed, set != nullptr);
        if (!viewed) {
            EXPECT_TRUE(images.images.empty());
            continue;
        }
        ++read;
        EXPECT_EQ(images.type, set->type);
        const auto copy = CopyImages(images);
        ASSERT_TRUE(copy);
        ASSERT_EQ(copy->Count(), set->Count());
        for (int i = 0; i < set->Count(); ++i) {
            const IconSetEntry& a = copy->entries[static_cast<std::size_t>(i)];
            const IconSetEntry& b = set->entries[static_cast<std::size_t>(i)];
            EXPECT_EQ(a.image, b.image) << i;
            EXPECT_EQ(std::make_tuple(a.bWidth, a.bHeight, a.bColorCount, a.bReserved, a.wPlanes,
                                      a.wBitCount, a.dwBytesInRes, a.dwImageOffset),
                      std::make_tuple(b.bWidth, b.bHeight, b.bColorCount, b.bReserved, b.wPlanes,
                                      b.wBitCount, b.dwBytesInRes, b.dwImageOffset))
                << i;
        }
        EXPECT_EQ(IconDigest(images), IconDigest(*set));
        IconImageSpans ofSet;
        SpansOf(*set, ofSet);
        EXPECT_TRUE(SameIcon(images, ofSet));
        IconFacts fromViews, fromSet;
        SetImageFacts(images, fromViews);
        SetImageFacts(*set, fromSet);
        ExpectSameFacts(fromViews, fromSet);
    }
    EXPECT_EQ(read, 4); // group 1 twice, group 4, the cursor
}

TEST(UniqueIcons, IconsViewedInFilesJoinByTheirBytesAndOutliveTheFiles) {
    UniqueIcons unique;
    IconImageSpans images;
    {
        Bytes pe = Library(1);
        const CPEFile file(pe.data(), pe.size());
        ASSERT_TRUE(FindGroupImageSpans(file, 1, kEnglish, images));
        EXPECT_EQ(unique.AddImages(&images), 0);
        ASSERT_TRUE(FindGroupImageSpans(file, 1, kGerman, images));
        EXPECT_EQ(unique.AddImages(&images), 0);
        // Damaged groups are each their own.
        EXPECT_FALSE(FindGroupImageSpans(file, 2, kEnglish, images));
        EXPECT_EQ(unique.AddImages(nullptr), 2);
        EXPECT_EQ(unique.AddImages(nullptr), 3);
        ASSERT_TRUE(FindGroupCursorSpans(file, 1, kEnglish, images));
        EXPECT_EQ(unique.AddImages(&images), 4);
        // The file's bytes change, then go: the first icons' images must have been copied.
        std::fill(pe.begin(), pe.end(), std::uint8_t{0});
    }
    const Bytes same = Library(1), other = Library(2);
    const CPEFile sameFile(same.data(), same.size()), otherFile(other.data(), other.size());
    ASSERT_TRUE(FindGroupImageSpans(sameFile, 1, kGerman, images));
    EXPECT_EQ(unique.AddImages(&images), 0);
    ASSERT_TRUE(FindGroupCursorSpans(sameFile, 1, kEnglish, images));
    EXPECT_EQ(unique.AddImages(&images), 4);
    ASSERT_TRUE(FindGroupImageSpans(otherFile, 1, kEnglish, images));
    EXPECT_EQ(unique.AddImages(&images), 7);
    // Icons added as sets and as views are one index.
    EXPECT_EQ(unique.Add(ReadGroupImages(otherFile, 1, kGerman)), 7);
    EXPECT_EQ(unique.Add(ReadGroupImages(sameFile, 4, kEnglish)), 9);
    ASSERT_TRUE(FindGroupImageSpans(sameFile, 4, kEnglish, images));
    EXPECT_EQ(unique.AddImages(&images), 9);
    EXPECT_EQ(unique.DistinctCount(), 6);
    EXPECT_EQ(unique.OthersOf(0), 2);
    EXPECT_EQ(unique.OthersOf(4), 1);
}

TEST(UniqueIcons, ViewedIconsWithEqualHashesAndDifferentBytesStayApart) {
    int hashed = 0;
    UniqueIcons unique([&](const CIconImageSet& set) {
        ++hashed;
        EXPECT_EQ(set.Count(), 2); // the hook sees the images
        return Sha256Digest{};     // every icon collides
    });
    const Bytes a = Library(1), b = Library(2);
    const CPEFile first(a.data(), a.size()), second(b.data(), b.size());
    IconImageSpans images;
    for (const CPEFile* file : {&first, &second, &second, &first}) {
        ASSERT_TRUE(FindGroupImageSpans(*file, 1, kEnglish, images));
        unique.AddImages(&images);
    }
    EXPECT_EQ(hashed, 4);
    EXPECT_EQ(unique.FirstOf(2), 1);
    EXPECT_EQ(unique.FirstOf(3), 0);
    EXPECT_EQ(unique.DistinctCount(), 2);
}
