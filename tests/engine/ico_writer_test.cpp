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
CIconImageSet* MakeSet(const std::vector<Bytes>& images,
                       const std::vector<std::pair<int, int>>& planesBits) {
    auto* set = new CIconImageSet;
    set->count = static_cast<int>(images.size());
    set->entries.resize(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        IconSetEntry& e = set->entries[i];
        e.bWidth = e.bHeight = 32;
        e.bColorCount = 99;
        e.bReserved = 7;
        e.wPlanes = static_cast<std::uint16_t>(planesBits[i].first);
        e.wBitCount = static_cast<std::uint16_t>(planesBits[i].second);
        e.dwBytesInRes = static_cast<std::uint32_t>(images[i].size());
        e.image.reset(new std::uint8_t[images[i].size()]);
        std::memcpy(e.image.get(), images[i].data(), images[i].size());
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
    CIconImageSet* set = MakeSet({ImageOfSize(744, 1), ImageOfSize(296, 2), ImageOfSize(2216, 3)},
                                 {{1, 4}, {1, 1}, {1, 8}});
    const std::string path = dir.File("three.ico");
    ASSERT_EQ(WriteIcoFile(path.c_str(), set), 1);
    const Bytes file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), 3310u);
    EXPECT_EQ(U16(file, 0), 0);
    EXPECT_EQ(U16(file, 2), 1);
    EXPECT_EQ(U16(file, 4), 3);
    EXPECT_EQ(U32(file, 6 + 12), 54u);
    EXPECT_EQ(U32(file, 22 + 12), 798u);
    EXPECT_EQ(U32(file, 38 + 12), 1094u);
    EXPECT_EQ(set->entries[2].dwImageOffset, 1094u) << "the set is updated in place";
    EXPECT_EQ(file[1094 + 100], 3);
    FreeImageSet(set);
}

TEST(WriteIcoFile, RecomputesColourCountsAndClearsReserved) {
    TempFolder dir;
    const std::vector<std::pair<int, int>> planesBits = {{1, 4},  {1, 1}, {1, 8}, {1, 24},
                                                         {1, 32}, {0, 8}, {2, 2}};
    std::vector<Bytes> images(planesBits.size(), ImageOfSize(40, 0));
    CIconImageSet* set = MakeSet(images, planesBits);
    const std::string path = dir.File("colours.ico");
    ASSERT_EQ(WriteIcoFile(path.c_str(), set), 1);
    const Bytes file = ReadFileBytes(path);
    const int expected[] = {16, 2, 0, 0, 0, 1, 16};
    for (std::size_t i = 0; i < planesBits.size(); ++i) {
        EXPECT_EQ(file[6 + 16 * i + 2], expected[i]) << i;
        EXPECT_EQ(file[6 + 16 * i + 3], 0) << i;
    }
    FreeImageSet(set);
}

TEST(WriteIcoFile, ClearsBiSizeImageOnlyInBitmapImages) {
    TempFolder dir;
    Bytes bmp = MakeBmpImage(32, 32);
    ASSERT_NE(U32(bmp, 20), 0u);
    const Bytes png = MakePngImage(256, 256);
    Bytes small = ImageOfSize(40, 0xEE);
    small[0] = 12; // an old 12-byte header: not a BITMAPINFOHEADER, left alone
    CIconImageSet* set = MakeSet({bmp, png, small}, {{1, 32}, {1, 32}, {1, 8}});
    set->entries[1].bWidth = set->entries[1].bHeight = 0;
    const std::string path = dir.File("mixed.ico");
    ASSERT_EQ(WriteIcoFile(path.c_str(), set), 1);
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
    FreeImageSet(set);
}

TEST(WriteIcoFile, ReadsBackIntoTheSameImages) {
    TempFolder dir;
    const std::vector<Bytes> images = {MakeBmpImage(16, 4, 1), MakeBmpImage(32, 8, 2),
                                       MakePngImage(48, 48, 3)};
    CIconImageSet* set = MakeSet(images, {{1, 4}, {1, 8}, {1, 32}});
    const std::string path = dir.File("round.ico");
    ASSERT_EQ(WriteIcoFile(path.c_str(), set), 1);
    CIconImageSet* back = ReadIcoFileImages(path.c_str());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->count, 3);
    for (int i = 0; i < 3; ++i) {
        const IconSetEntry &a = set->entries[i], &b = back->entries[i];
        EXPECT_EQ(b.dwBytesInRes, a.dwBytesInRes);
        EXPECT_EQ(b.dwImageOffset, a.dwImageOffset);
        EXPECT_EQ(b.bColorCount, a.bColorCount);
        EXPECT_EQ(0, std::memcmp(a.image.get(), b.image.get(), a.dwBytesInRes)) << i;
    }
    FreeImageSet(back);
    FreeImageSet(set);
}

TEST(WriteIcoFile, WritesOnlyTheCountedEntries) {
    TempFolder dir;
    CIconImageSet* set = MakeSet({ImageOfSize(40, 1), ImageOfSize(50, 2), ImageOfSize(60, 3)},
                                 {{1, 8}, {1, 8}, {1, 8}});
    std::swap(set->entries[0], set->entries[2]);
    set->count = 1;
    const std::string path = dir.File("one.ico");
    ASSERT_EQ(WriteIcoFile(path.c_str(), set), 1);
    set->count = 3;
    EXPECT_EQ(ReadFileBytes(path).size(), 6u + 16 + 60);
    FreeImageSet(set);
}

TEST(WriteIcoFile, RefusesBadInputWithoutLeavingFiles) {
    TempFolder dir;
    const std::string path = dir.File("bad.ico");
    EXPECT_EQ(WriteIcoFile(path.c_str(), nullptr), 0);
    CIconImageSet* set = MakeSet({ImageOfSize(40, 1), ImageOfSize(40, 2)}, {{1, 8}, {1, 8}});
    EXPECT_EQ(WriteIcoFile("", set), 0);
    set->count = 0;
    EXPECT_EQ(WriteIcoFile(path.c_str(), set), 0);
    set->count = 3;
    EXPECT_EQ(WriteIcoFile(path.c_str(), set), 0) << "more counted than held";
    set->count = 2;
    set->entries[1].image.reset();
    EXPECT_EQ(WriteIcoFile(path.c_str(), set), 0) << "an image never filled";
    EXPECT_TRUE(dir.Names().empty());
    FreeImageSet(set);
    FreeImageSet(nullptr);

    CIconImageSet* ok = MakeSet({ImageOfSize(40, 1)}, {{1, 8}});
    EXPECT_EQ(WriteIcoFile(dir.File("no-such-folder/x.ico").c_str(), ok), 0);
    FreeImageSet(ok);
}

TEST(WriteIcoFile, ReplacesAnExistingFileWhole) {
    TempFolder dir;
    const std::string path = dir.Write("old.ico", Bytes(10000, 0x55));
    CIconImageSet* set = MakeSet({ImageOfSize(40, 1)}, {{1, 8}});
    ASSERT_EQ(WriteIcoFile(path.c_str(), set), 1);
    EXPECT_EQ(ReadFileBytes(path).size(), 6u + 16 + 40);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"old.ico"})) << "no temporary file remains";
    FreeImageSet(set);
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
    ASSERT_EQ(file.SaveGroupAsIco(1, 1033, path.c_str(), false), 1)
        << "images taken from another language";
    const Bytes ico = ReadFileBytes(path);
    ASSERT_EQ(ico.size(), 6 + 32 + bmp.size() + png.size());
    EXPECT_TRUE(std::equal(group.begin(), group.begin() + 6 + 12, ico.begin()));
    EXPECT_EQ(U32(ico, 6 + 12), 38u);
    EXPECT_EQ(U32(ico, 22 + 12), 38u + bmp.size());
    EXPECT_EQ(U32(ico, 38 + 20), 0u) << "biSizeImage cleared";
    EXPECT_TRUE(
        std::equal(png.begin(), png.end(), ico.end() - static_cast<std::ptrdiff_t>(png.size())));

    EXPECT_EQ(file.SaveGroupAsIco(1, 0, dir.File("other.ico").c_str(), true), 0)
        << "the group must exist in the language asked for";
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
        EXPECT_EQ(file.SaveGroupAsIco(1, 0, dir.File("x.ico").c_str(), true), 0);
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
    EXPECT_EQ(file.SaveGroupAsIco(1, 0, path.c_str(), false), 0);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(file.SaveGroupAsIco(2, 0, path.c_str(), true), 0) << "no such group";
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(file.SaveGroupAsIco(1, 0, path.c_str(), true), 1);
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
    EXPECT_EQ(file.SaveGroupAsIco(1, 0, dir.File("huge.ico").c_str(), true), 0);
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
