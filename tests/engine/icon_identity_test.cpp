// Icon identity: SHA-256 against published vectors, and which icons count as one.
#include "engine/GroupCursor.h"
#include "engine/IconIdentity.h"
#include "engine/PEFile.h"
#include "support/CursorData.h"
#include "support/IconData.h"

#include <gtest/gtest.h>

#include <string>

using namespace quarvel;
using namespace quarvel::test;

namespace {

ByteView View(const Bytes& b) {
    return ByteView(b.data(), b.size());
}

// An icon set of `type` holding these images, each with zeroed directory fields.
std::unique_ptr<CIconImageSet> SetOf(const std::vector<Bytes>& images,
                                     std::uint16_t type = kIconType) {
    auto set = std::make_unique<CIconImageSet>();
    set->type = type;
    for (const Bytes& image : images) {
        IconSetEntry entry;
        entry.image = image;
        set->entries.push_back(entry);
    }
    return set;
}

// The images of group `name` in `language` of an image file held in memory.
std::unique_ptr<CIconImageSet> GroupImages(const Bytes& pe, ResKey name, std::uint16_t language) {
    CPEFile file(pe.data(), pe.size());
    return ReadGroupImages(file, name, language);
}

} // namespace

// Both ways of running the rounds: the processor's SHA instructions (where it has them) and
// plain C++.
class Sha256Rounds : public testing::TestWithParam<Sha256::Rounds> {
protected:
    std::string HexOf(const std::string& text) const {
        Sha256 hasher(GetParam());
        hasher.Add(text.data(), text.size());
        return HexDigest(hasher.Finish());
    }
};

INSTANTIATE_TEST_SUITE_P(Sha256, Sha256Rounds,
                         testing::Values(Sha256::Rounds::Fastest, Sha256::Rounds::Portable));

TEST_P(Sha256Rounds, MatchPublishedVectorsHowTheBytesArriveInPieces) {
    EXPECT_EQ(HexOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(HexOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string twoBlocks = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(HexOf(twoBlocks), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    const std::string fourBlocks =
        "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlm"
        "nopqrsmnopqrstnopqrstu";
    EXPECT_EQ(HexOf(fourBlocks),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");

    // A million 'a's fed in pieces that straddle the 64-byte blocks.
    const std::string million(1000000, 'a');
    Sha256 hasher(GetParam());
    std::size_t at = 0;
    for (std::size_t piece = 1; at < million.size(); piece = piece % 131 + 7) {
        const std::size_t take = std::min(piece, million.size() - at);
        hasher.Add(million.data() + at, take);
        at += take;
    }
    EXPECT_EQ(HexDigest(hasher.Finish()),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    EXPECT_EQ(HexOf(million), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, BothRoundsAgreeOnEveryLengthAroundTheBlocks) {
    std::string text;
    for (int length = 0; length < 300; ++length) {
        Sha256 fastest(Sha256::Rounds::Fastest), portable(Sha256::Rounds::Portable);
        fastest.Add(text.data(), text.size());
        portable.Add(text.data(), text.size());
        ASSERT_EQ(fastest.Finish(), portable.Finish()) << length;
        text += static_cast<char>(length * 37 + 11);
    }
}

TEST(IconDigest, CoversTheKindEveryImageInOrderAndWhereImagesSplit) {
    const Bytes a{1, 2, 3}, b{4, 5}, ab{1, 2, 3, 4, 5};
    const Sha256Digest digest = IconDigest(*SetOf({a, b}));
    EXPECT_EQ(IconDigest(*SetOf({a, b})), digest);
    EXPECT_NE(IconDigest(*SetOf({b, a})), digest);
    EXPECT_NE(IconDigest(*SetOf({ab})), digest);
    EXPECT_NE(IconDigest(*SetOf({Bytes{1, 2}, Bytes{3, 4, 5}})), digest);
    EXPECT_NE(IconDigest(*SetOf({a, b}, kCursorType)), digest);

    // Directory fields are not the images: an icon's are left out, a cursor's hot spot is not.
    auto described = SetOf({a, b});
    described->entries[0].bWidth = 16;
    described->entries[1].wBitCount = 32;
    EXPECT_EQ(IconDigest(*described), digest);
    auto cursor = SetOf({a, b}, kCursorType);
    auto moved = SetOf({a, b}, kCursorType);
    moved->entries[1].wPlanes = 7; // hot spot x
    EXPECT_NE(IconDigest(*moved), IconDigest(*cursor));
    EXPECT_FALSE(SameIcon(*moved, *cursor));
}

TEST(UniqueIcons, EqualImagesAreOneIconWhateverTheNamesFilesAndLanguages) {
    const Bytes small = MakeBmpImage(16, 4, 1), large = MakePngImage(48, 48, 2);
    ResourceTree first;
    AddIconGroup(first, 1, 1033, {small, large}, {16, 48}, {4, 32}, 10);
    AddIconGroup(first, u"COPY", 1031, {small, large}, {16, 48}, {4, 32}, 20);
    ResourceTree second;
    AddIconGroup(second, 7, 0, {small, large}, {16, 48}, {4, 32}, 1);
    const Bytes one = BuildImageWithResources(first), two = BuildImageWithResources(second);

    UniqueIcons unique;
    EXPECT_EQ(unique.Add(GroupImages(one, 1, 1033)), 0);
    EXPECT_EQ(unique.Add(GroupImages(one, "COPY", 1031)), 0);
    EXPECT_EQ(unique.Add(GroupImages(two, 7, 0)), 0);
    // An .ico file with the same images, its directory laid out as a file's.
    const Bytes ico =
        MakeIcoFile({EntryFor(small, 16, 4, 0), EntryFor(large, 48, 32, 0)}, {small, large});
    EXPECT_EQ(unique.Add(ReadIcoImages(View(ico))), 0);

    EXPECT_EQ(unique.Count(), 4);
    EXPECT_EQ(unique.DistinctCount(), 1);
    EXPECT_TRUE(unique.IsFirst(0));
    EXPECT_FALSE(unique.IsFirst(3));
    EXPECT_EQ(unique.OthersOf(0), 3);
    EXPECT_EQ(unique.OthersOf(2), 3);
}

TEST(UniqueIcons, OneImageDifferentOrMissingOrMovedMakesAnotherIcon) {
    const Bytes a = MakeBmpImage(16, 4, 1), b = MakeBmpImage(32, 8, 2);
    Bytes changed = b;
    changed.back() ^= 1;
    UniqueIcons unique;
    EXPECT_EQ(unique.Add(SetOf({a, b})), 0);
    EXPECT_EQ(unique.Add(SetOf({a, changed})), 1);
    EXPECT_EQ(unique.Add(SetOf({a})), 2);
    EXPECT_EQ(unique.Add(SetOf({b, a})), 3);
    EXPECT_EQ(unique.Add(SetOf({a, b, a})), 4);
    EXPECT_EQ(unique.Add(SetOf({a, b}, kCursorType)), 5); // a cursor is not an icon
    EXPECT_EQ(unique.Add(SetOf({a, changed})), 1);
    EXPECT_EQ(unique.DistinctCount(), 6);
    EXPECT_EQ(unique.OthersOf(0), 0);
    EXPECT_EQ(unique.OthersOf(1), 1);
}

TEST(UniqueIcons, IconsThatCannotBeReadAreEachTheirOwn) {
    UniqueIcons unique;
    EXPECT_EQ(unique.Add(nullptr), 0);
    EXPECT_EQ(unique.Add(nullptr), 1);
    EXPECT_EQ(unique.Add(SetOf({Bytes{1}})), 2);
    EXPECT_EQ(unique.DistinctCount(), 3);
}

TEST(UniqueIcons, EqualHashesWithDifferentBytesStayApart) {
    int hashed = 0;
    UniqueIcons unique([&](const CIconImageSet&) {
        ++hashed;
        return Sha256Digest{}; // every icon collides
    });
    const Bytes a = MakeBmpImage(16, 4, 1), b = MakeBmpImage(16, 4, 2);
    EXPECT_EQ(unique.Add(SetOf({a})), 0);
    EXPECT_EQ(unique.Add(SetOf({b})), 1);
    EXPECT_EQ(unique.Add(SetOf({b})), 1);
    EXPECT_EQ(unique.Add(SetOf({a})), 0);
    EXPECT_EQ(unique.Add(SetOf({a, b})), 4);
    EXPECT_EQ(hashed, 5);
    EXPECT_EQ(unique.DistinctCount(), 3);
    EXPECT_EQ(unique.OthersOf(0), 1);
    EXPECT_EQ(unique.OthersOf(1), 1);
}

TEST(UniqueIcons, CursorFilesAndGroupCursorsAreOneWhenImagesAndHotSpotsAgree) {
    // Image seeds follow the resource ids and the .cur file's order: both start at 1.
    ResourceTree tree, other;
    AddCursorGroup(tree, 1, 0, {32, 48}, {{3, 4}, {5, 6}}, 1);
    AddCursorGroup(other, 2, 0, {32, 48}, {{3, 4}, {9, 9}}, 1);
    const Bytes pe = BuildImageWithResources(tree), otherPe = BuildImageWithResources(other);
    CPEFile file(pe.data(), pe.size()), otherFile(otherPe.data(), otherPe.size());
    const Bytes cur = MakeCurFile({32, 48}, {{3, 4}, {5, 6}});

    UniqueIcons unique;
    EXPECT_EQ(unique.Add(ReadGroupCursorImages(file, 1, 0)), 0);
    EXPECT_EQ(unique.Add(ReadCurImages(View(cur))), 0);
    EXPECT_EQ(unique.Add(ReadGroupCursorImages(otherFile, 2, 0)), 2); // another hot spot
    EXPECT_EQ(unique.DistinctCount(), 2);
}
