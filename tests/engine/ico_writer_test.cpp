// The .ico writers: layout, colour counts, biSizeImage, PNG images, overwrite and failure rules.
#include "engine/IcoWriter.h"
#include "engine/IconImageSet.h"
#include "engine/PEFile.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quarvel;
using namespace quarvel::test;

namespace {

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// A set whose entries hold the given images with planes and bit counts.
CIconImageSet MakeSet(const std::vector<Bytes>& images,
                      const std::vector<std::pair<int, int>>& planesBits) {
    CIconImageSet set;
    set.entries.resize(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        IconSetEntry& e = set.entries[i];
        e.bWidth = e.bHeight = 32;
        e.bColorCount = 99;
        e.bReserved = 7;
        e.wPlanes = static_cast<std::uint16_t>(planesBits[i].first);
        e.wBitCount = static_cast<std::uint16_t>(planesBits[i].second);
        e.dwBytesInRes = static_cast<std::uint32_t>(images[i].size());
        e.image = images[i];
    }
    return set;
}

Bytes ImageOfSize(std::size_t size, std::uint8_t fill) {
    Bytes b(size, fill);
    b[0] = 40; // a bitmap header
    b[1] = b[2] = b[3] = 0;
    return b;
}

} // namespace

TEST(WriteIcoFile, PlacesImagesBackToBackAfterTheDirectory) {
    TempFolder dir;
    const CIconImageSet set = MakeSet(
        {ImageOfSize(744, 1), ImageOfSize(296, 2), ImageOfSize(2216, 3)}, {{1, 4}, {1, 1}, {1, 8}});
    const std::string path = dir.File("three.ico");
    ASSERT_TRUE(WriteIcoFile(path.c_str(), set));
    const Bytes file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), 3310u);
    EXPECT_EQ(U16(file, 0), 0);
    EXPECT_EQ(U16(file, 2), 1);
    EXPECT_EQ(U16(file, 4), 3);
    EXPECT_EQ(U32(file, 6 + 12), 54u);
    EXPECT_EQ(U32(file, 22 + 12), 798u);
    EXPECT_EQ(U32(file, 38 + 12), 1094u);
    EXPECT_EQ(file[1094 + 100], 3);
}

TEST(WriteIcoFile, RecomputesColourCountsAndClearsReserved) {
    TempFolder dir;
    const std::vector<std::pair<int, int>> planesBits = {{1, 4},  {1, 1}, {1, 8}, {1, 24},
                                                         {1, 32}, {0, 8}, {2, 2}};
    std::vector<Bytes> images(planesBits.size(), ImageOfSize(40, 0));
    const CIconImageSet set = MakeSet(images, planesBits);
    const std::string path = dir.File("colours.ico");
    ASSERT_TRUE(WriteIcoFile(path.c_str(), set));
    const Bytes file = ReadFileBytes(path);
    const int expected[] = {16, 2, 0, 0, 0, 1, 16};
    for (std::size_t i = 0; i < planesBits.size(); ++i) {
        EXPECT_EQ(file[6 + 16 * i + 2], expected[i]) << i;
        EXPECT_EQ(file[6 + 16 * i + 3], 0) << i;
    }
}

TEST(WriteIcoFile, ClearsBiSizeImageOnlyInBitmapImagesOfTheFile) {
    TempFolder dir;
    Bytes bmp = MakeBmpImage(32, 32);
    ASSERT_NE(U32(bmp, 20), 0u);
    const Bytes png = MakePngImage(256, 256);
    Bytes small = ImageOfSize(40, 0xEE);
    small[0] = 12; // an old 12-byte header: not a BITMAPINFOHEADER, left alone
    CIconImageSet set = MakeSet({bmp, png, small}, {{1, 32}, {1, 32}, {1, 8}});
    set.entries[1].bWidth = set.entries[1].bHeight = 0;
    const std::string path = dir.File("mixed.ico");
    ASSERT_TRUE(WriteIcoFile(path.c_str(), set));
    EXPECT_EQ(set.entries[0].image, bmp) << "the set keeps its own bytes";
    const Bytes file = ReadFileBytes(path);
    const std::size_t bmpAt = U32(file, 6 + 12), pngAt = U32(file, 22 + 12),
                      smallAt = U32(file, 38 + 12);
    EXPECT_EQ(U32(file, bmpAt + 20), 0u);
    bmp[20] = bmp[21] = bmp[22] = bmp[23] = 0;
    EXPECT_TRUE(
        std::equal(bmp.begin(), bmp.end(), file.begin() + static_cast<std::ptrdiff_t>(bmpAt)));
    EXPECT_TRUE(
        std::equal(png.begin(), png.end(), file.begin() + static_cast<std::ptrdiff_t>(pngAt)))
        << "a PNG image is copied byte for byte";
    EXPECT_EQ(file[smallAt + 20], 0xEE);
    EXPECT_EQ(file[22], 0) << "a 256-pixel image keeps 0 as its width";
    EXPECT_EQ(file[23], 0);
}

TEST(WriteIcoFile, ReadsBackIntoTheSameImages) {
    TempFolder dir;
    const std::vector<Bytes> images = {MakeBmpImage(16, 4, 1), MakeBmpImage(32, 8, 2),
                                       MakePngImage(48, 48, 3)};
    const CIconImageSet set = MakeSet(images, {{1, 4}, {1, 8}, {1, 32}});
    const std::string path = dir.File("round.ico");
    ASSERT_TRUE(WriteIcoFile(path.c_str(), set));
    const auto back = ReadIcoFileImages(path.c_str());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Count(), 3);
    const std::uint32_t offsets[] = {
        6 + 48, 6 + 48 + static_cast<std::uint32_t>(images[0].size()),
        6 + 48 + static_cast<std::uint32_t>(images[0].size() + images[1].size())};
    const int colours[] = {16, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const IconSetEntry& b = back->entries[i];
        EXPECT_EQ(b.dwBytesInRes, images[i].size());
        EXPECT_EQ(b.dwImageOffset, offsets[i]);
        EXPECT_EQ(b.bColorCount, colours[i]);
        Bytes written = images[i];
        if (i < 2)
            written[20] = written[21] = written[22] = written[23] = 0;
        EXPECT_EQ(b.image, written) << i;
    }
}

TEST(WriteIcoFile, WritesTheSelectionInItsOrder) {
    TempFolder dir;
    const CIconImageSet set = MakeSet({ImageOfSize(40, 1), ImageOfSize(50, 2), ImageOfSize(60, 3)},
                                      {{1, 8}, {1, 8}, {1, 8}});
    const std::string path = dir.File("two.ico");
    ASSERT_TRUE(WriteIcoFile(path.c_str(), set, {2, 0}));
    const auto back = ReadIcoFileImages(path.c_str());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Count(), 2);
    EXPECT_EQ(back->entries[0].image.size(), 60u);
    EXPECT_EQ(back->entries[0].image[30], 3);
    EXPECT_EQ(back->entries[1].image.size(), 40u);
    EXPECT_EQ(back->entries[1].image[30], 1);
    EXPECT_EQ(ReadFileBytes(path).size(), 6u + 32 + 60 + 40);
}

TEST(WriteIcoFile, RefusesBadInputWithoutLeavingFiles) {
    TempFolder dir;
    const std::string path = dir.File("bad.ico");
    CIconImageSet set = MakeSet({ImageOfSize(40, 1), ImageOfSize(40, 2)}, {{1, 8}, {1, 8}});
    EXPECT_FALSE(WriteIcoFile("", set));
    EXPECT_FALSE(WriteIcoFile(nullptr, set));
    EXPECT_FALSE(WriteIcoFile(path.c_str(), set, {})) << "nothing selected";
    EXPECT_FALSE(WriteIcoFile(path.c_str(), CIconImageSet{})) << "an empty set";
    EXPECT_FALSE(WriteIcoFile(path.c_str(), set, {0, 2})) << "an index past the set";
    EXPECT_FALSE(WriteIcoFile(path.c_str(), set, {-1}));
    set.entries[1].image.pop_back();
    EXPECT_FALSE(WriteIcoFile(path.c_str(), set)) << "an image shorter than its entry says";
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(WriteIcoFile(path.c_str(), set, {0})) << "the short image is not selected";

    EXPECT_FALSE(WriteIcoFile(dir.File("no-such-folder/x.ico").c_str(), set, {0}));
}

TEST(WriteIcoFile, ReplacesAnExistingFileWhole) {
    TempFolder dir;
    const std::string path = dir.Write("old.ico", Bytes(10000, 0x55));
    const CIconImageSet set = MakeSet({ImageOfSize(40, 1)}, {{1, 8}});
    ASSERT_TRUE(WriteIcoFile(path.c_str(), set));
    EXPECT_EQ(ReadFileBytes(path).size(), 6u + 16 + 40);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"old.ico"})) << "no temporary file remains";
}

namespace {

struct GroupImage {
    Bytes image;
    int width, bits;
};

Bytes ImageWithGroup(const std::vector<GroupImage>& images) {
    ResourceTree tree;
    std::vector<GroupEntrySpec> entries;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto id = static_cast<std::uint16_t>(10 + i);
        entries.push_back(EntryFor(images[i].image, images[i].width, images[i].bits, id));
        tree.Add(3, id, 0, images[i].image);
    }
    tree.Add(14, 1, 0, MakeGroup(entries));
    return BuildImageWithResources(tree);
}

} // namespace

TEST(SaveGroupAsIco, CopiesTheGroupEntriesAndImages) {
    TempFolder dir;
    const Bytes bmp = MakeBmpImage(16, 4, 1);
    const Bytes png = MakePngImage(256, 256, 2);
    Bytes group = MakeGroup({EntryFor(bmp, 16, 4, 10), EntryFor(png, 256, 32, 11)});
    group[6 + 2] = 77; // bColorCount as stored is kept
    group[6 + 3] = 5;  // and bReserved
    ResourceTree tree;
    tree.Add(3, 10, 0, bmp);
    tree.Add(3, 11, 0, png);
    tree.Add(14, 1, 1033, group);
    const Bytes pe = BuildImageWithResources(tree);
    CPEFile file(pe.data(), pe.size());
    const std::string path = dir.File("g.ico");
    ASSERT_TRUE(file.SaveGroupAsIco(1, 1033, path.c_str(), false))
        << "images taken from another language";
    const Bytes ico = ReadFileBytes(path);
    ASSERT_EQ(ico.size(), 6 + 32 + bmp.size() + png.size());
    EXPECT_TRUE(std::equal(group.begin(), group.begin() + 6 + 12, ico.begin()));
    EXPECT_EQ(U32(ico, 6 + 12), 38u);
    EXPECT_EQ(U32(ico, 22 + 12), 38u + bmp.size());
    EXPECT_EQ(U32(ico, 38 + 20), 0u) << "biSizeImage cleared";
    EXPECT_TRUE(
        std::equal(png.begin(), png.end(), ico.end() - static_cast<std::ptrdiff_t>(png.size())));

    EXPECT_FALSE(file.SaveGroupAsIco(1, 0, dir.File("other.ico").c_str(), true))
        << "the group must exist in the language asked for";

    // A group whose own type field says 2 is still an icon group: its images are copied as they
    // are, their resolution included (only cursor images have it cleared).
    Bytes resolved = bmp;
    resolved[24] = 0x13; // biXPelsPerMeter
    Bytes typed = MakeGroup({EntryFor(resolved, 16, 4, 10)});
    typed[2] = 2;
    ResourceTree typedTree;
    typedTree.Add(3, 10, 0, resolved);
    typedTree.Add(14, 1, 0, typed);
    const Bytes typedPe = BuildImageWithResources(typedTree);
    const std::string typedPath = dir.File("typed.ico");
    ASSERT_TRUE(
        CPEFile(typedPe.data(), typedPe.size()).SaveGroupAsIco(1, 0, typedPath.c_str(), false));
    const Bytes typedIco = ReadFileBytes(typedPath);
    ASSERT_EQ(typedIco.size(), 6 + 16 + resolved.size());
    EXPECT_EQ(typedIco[2], 2) << "the group's type field as stored";
    EXPECT_EQ(typedIco[22 + 24], 0x13) << "the resolution kept";
}

TEST(SaveGroupAsIco, RefusesBrokenGroupsAndWritesNothing) {
    TempFolder dir;
    const Bytes bmp = MakeBmpImage(16, 4);
    // An entry smaller than a bitmap header.
    ResourceTree tiny;
    tiny.Add(3, 10, 0, Bytes(30, 0));
    tiny.Add(14, 1, 0, MakeGroup({{16, 16, 0, 1, 4, 39, 10}}));
    // An entry whose image does not exist.
    ResourceTree missing;
    missing.Add(3, 10, 0, bmp);
    missing.Add(14, 1, 0, MakeGroup({EntryFor(bmp, 16, 4, 10), EntryFor(bmp, 16, 4, 11)}));
    // A group whose entries run past its data.
    ResourceTree truncated;
    Bytes cut = MakeGroup({EntryFor(bmp, 16, 4, 10)});
    cut.resize(cut.size() - 1);
    truncated.Add(3, 10, 0, bmp);
    truncated.Add(14, 1, 0, cut);
    // An entry whose size reaches past the end of the file.
    ResourceTree pastEnd;
    pastEnd.Add(3, 10, 0, bmp);
    pastEnd.Add(14, 1, 0, MakeGroup({{16, 16, 0, 1, 4, 0x7FFFFFF0, 10}}));
    for (ResourceTree* tree : {&tiny, &missing, &truncated, &pastEnd}) {
        const Bytes pe = BuildImageWithResources(*tree);
        CPEFile file(pe.data(), pe.size());
        EXPECT_FALSE(file.SaveGroupAsIco(1, 0, dir.File("x.ico").c_str(), true));
    }
    EXPECT_TRUE(dir.Names().empty());
}

TEST(SaveGroupAsIco, NeverOverwritesUnlessAllowedAndNeverDamagesOnFailure) {
    TempFolder dir;
    const Bytes bmp = MakeBmpImage(32, 8);
    const Bytes pe = ImageWithGroup({{bmp, 32, 8}});
    CPEFile file(pe.data(), pe.size());
    const Bytes old(123, 0x42);
    const std::string path = dir.Write("kept.ico", old);
    EXPECT_FALSE(file.SaveGroupAsIco(1, 0, path.c_str(), false));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_FALSE(file.SaveGroupAsIco(2, 0, path.c_str(), true)) << "no such group";
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_TRUE(file.SaveGroupAsIco(1, 0, path.c_str(), true));
    EXPECT_EQ(ReadFileBytes(path).size(), 6 + 16 + bmp.size());
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"kept.ico"}));
}

TEST(SaveGroupAsIco, RefusesGroupsThatWouldWriteGigabytes) {
    TempFolder dir;
    const Bytes big(1 << 20, 0x28); // one megabyte image, listed 2000 times
    ResourceTree tree;
    tree.Add(3, 10, 0, big);
    std::vector<GroupEntrySpec> entries(2000, EntryFor(big, 32, 32, 10));
    tree.Add(14, 1, 0, MakeGroup(entries));
    const Bytes pe = BuildImageWithResources(tree);
    CPEFile file(pe.data(), pe.size());
    EXPECT_FALSE(file.SaveGroupAsIco(1, 0, dir.File("huge.ico").c_str(), true));
    EXPECT_EQ(ReadGroupImages(file, 1, 0), nullptr);
    EXPECT_TRUE(dir.Names().empty());
}

TEST(MakeDefaultIconName, FileNameHashAndIdOrName) {
    EXPECT_EQ(MakeDefaultIconName("C:\\Windows\\shell32.dll", 3), "shell32.dll#3");
    EXPECT_EQ(MakeDefaultIconName("C:\\x\\app.exe", "MAINICON"), "app.exe#MAINICON");
    EXPECT_EQ(MakeDefaultIconName("app.exe", 65535), "app.exe#65535");
    EXPECT_EQ(MakeDefaultIconName("/usr/lib/app.dll", 1), "app.dll#1");
    EXPECT_EQ(MakeDefaultIconName("\\app.exe", 1), "\\app.exe#1") << "a separator only in front";
}
