// What the fill worker reads of each recorded icon beside the listing: its image facts and the
// number of the first icon of the fill with the same images, handed on after each icon taken.
#include "ListedFile.h"

#include "engine/IconIdentity.h"
#include "support/CursorData.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {
struct Described {
    std::string what; // kind letter and path's file name
    int firstOf = -2; // -2: not described
    IconFacts facts;
};

// Records what it is handed; refuses .ico files when told to.
struct Receiver : IconListReceiver {
    int Take(const char* kind, const char* path) {
        if (refuseIcoFiles && *kind == 'f')
            return 0;
        const std::string name(path);
        taken.push_back({kind + (":" + name.substr(name.find_last_of('\\') + 1)), -2, {}});
        return 1;
    }
    int AddGroupIcon(const char* path, ResKey, std::uint16_t) override { return Take("g", path); }
    int AddIconFile(const char* path) override { return Take("f", path); }
    bool TakesCursors() const override { return true; }
    int AddGroupCursor(const char* path, ResKey, std::uint16_t) override { return Take("c", path); }
    int AddCursorFile(const char* path) override { return Take("cf", path); }
    int AddAnimatedCursorFile(const char* path) override { return Take("a", path); }
    void DescribeLastIcon(const IconFacts& facts, int firstOf) override {
        ASSERT_FALSE(taken.empty());
        ASSERT_EQ(taken.back().firstOf, -2) << "described twice";
        taken.back().firstOf = firstOf;
        taken.back().facts = facts;
    }
    bool refuseIcoFiles = false;
    std::vector<Described> taken;
};
} // namespace

TEST(RecordedFacts, EachIconIsDescribedWithItsFactsAndTheFirstIconOfTheFillWithItsImages) {
    TempFolder folder;
    const Bytes small = MakeBmpImage(16, 4), png = MakePngImage(48, 48);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409, {small}, {16}, {4}, 1);
    AddIconGroup(tree, 2, 0x409, {png}, {48}, {32}, 2);
    AddCursorGroup(tree, 1, 0x409, {32}, {{1, 1}}, 100);
    const AniParts ani = MakeAniParts(2);
    const std::vector<std::string> paths = {
        folder.Write("a.dll", BuildImageWithResources(tree)),
        folder.Write("b.ico", MakeIcoFile({EntryFor(small, 16, 4, 0)}, {small})), // as group 1
        folder.Write("c.ani", BuildAni(ani)),
        folder.Write("d.ani", BuildAni(ani)),
        folder.Write("e.ico", Bytes{'n', 'o'}),
    };
    UniqueIcons identities;
    Receiver receiver;
    for (const std::string& path : paths) {
        RecordedIcons recorded;
        ListIconGroups(path.c_str(), &recorded);
        recorded.Describe(identities);
        recorded.Describe(identities); // once is enough: nothing is read twice
        recorded.HandTo(receiver);
    }
    ASSERT_EQ(receiver.taken.size(), 7u);
    std::vector<std::pair<std::string, int>> numbers;
    for (const Described& icon : receiver.taken)
        numbers.emplace_back(icon.what, icon.firstOf);
    EXPECT_EQ(numbers, (std::vector<std::pair<std::string, int>>{{"g:a.dll", 0},
                                                                 {"g:a.dll", 1},
                                                                 {"c:a.dll", 2},
                                                                 {"f:b.ico", 0},
                                                                 {"a:c.ani", 4},
                                                                 {"a:d.ani", 4},
                                                                 {"f:e.ico", 6}}));
    // Numbers count every icon of the fill; e.ico cannot be read and is its own.
    EXPECT_TRUE(receiver.taken[6].facts.images.empty());
    const IconFacts& first = receiver.taken[0].facts;
    ASSERT_EQ(first.images.size(), 1u);
    EXPECT_EQ(first.images[0].width, 16);
    EXPECT_EQ(first.images[0].bitCount, 4);
    EXPECT_FALSE(first.hasPng);
    EXPECT_FALSE(first.isCursor);
    EXPECT_TRUE(receiver.taken[1].facts.hasPng);
    EXPECT_EQ(receiver.taken[1].facts.Largest().width, 48);
    EXPECT_TRUE(receiver.taken[2].facts.isCursor);
    EXPECT_EQ(receiver.taken[2].facts.Largest().width, 32);
    EXPECT_TRUE(receiver.taken[4].facts.isCursor);
    EXPECT_FALSE(receiver.taken[4].facts.images.empty()); // its frames

    // Recorded again (as the file list keeps icons until it hands them to the icon list), an
    // icon keeps its description.
    RecordedIcons held;
    RecordedIcons again;
    ListIconGroups(paths[0].c_str(), &again);
    again.Describe(identities);
    again.HandTo(held);
    Receiver later;
    held.HandTo(later);
    ASSERT_EQ(later.taken.size(), 3u);
    EXPECT_EQ(later.taken[1].firstOf, 1);
    EXPECT_TRUE(later.taken[1].facts.hasPng);

    // An icon the receiver refuses is not described: the next one's description stays its own.
    RecordedIcons recorded;
    ListIconGroups(paths[1].c_str(), &recorded);
    ListIconGroups(paths[0].c_str(), &recorded);
    recorded.Describe(identities);
    Receiver refusing;
    refusing.refuseIcoFiles = true;
    recorded.HandTo(refusing);
    ASSERT_EQ(refusing.taken.size(), 3u);
    EXPECT_EQ(refusing.taken[0].what, "g:a.dll");
    EXPECT_EQ(refusing.taken[0].firstOf, 0);
    EXPECT_EQ(refusing.taken[1].firstOf, 1);
}

TEST(RecordedFacts, AFileReadForTheFillIsDescribedAsItsListingWouldBeDescribedApart) {
    TempFolder folder;
    const Bytes small = MakeBmpImage(16, 4), png = MakePngImage(48, 48);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409, {small}, {16}, {4}, 1);
    AddIconGroup(tree, 2, 0x409, {png}, {48}, {32}, 2);
    tree.Add(kResTypeGroupIcon, 3, 0x409, MakeGroup({EntryFor(small, 16, 4, 99)})); // no image
    AddCursorGroup(tree, 1, 0x409, {32}, {{1, 1}}, 100);
    const Bytes library = BuildImageWithResources(tree);
    const std::vector<std::string> paths = {
        folder.Write("a.dll", library),
        folder.Write("b.ico", MakeIcoFile({EntryFor(small, 16, 4, 0)}, {small})),
        folder.Write("c.dll", library),
    };
    UniqueIcons byFill, apart;
    RowIconRule rule;
    std::vector<int> numbers;
    for (const std::string& path : paths) {
        FileIcons read = ReadFileIcons(path.c_str(), true, rule, &byFill);
        RecordedIcons listed;
        ListIconGroups(path.c_str(), &listed);
        listed.Describe(apart);
        Receiver fill, reference;
        read.icons.HandTo(fill);
        listed.HandTo(reference);
        ASSERT_EQ(fill.taken.size(), reference.taken.size()) << path;
        for (std::size_t i = 0; i < fill.taken.size(); ++i) {
            const Described &a = fill.taken[i], &b = reference.taken[i];
            EXPECT_EQ(a.what, b.what);
            EXPECT_EQ(a.firstOf, b.firstOf) << a.what;
            EXPECT_EQ(a.facts.images.size(), b.facts.images.size()) << a.what;
            EXPECT_EQ(a.facts.Largest().width, b.facts.Largest().width) << a.what;
            EXPECT_EQ(a.facts.hasPng, b.facts.hasPng) << a.what;
            EXPECT_EQ(a.facts.isCursor, b.facts.isCursor) << a.what;
            numbers.push_back(a.firstOf);
        }
    }
    // The group without its image is its own each time; the copy's others join a.dll's.
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 3, 0, 0, 1, 7, 3}));
}
