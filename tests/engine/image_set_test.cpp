// Reading icon images: group images with their language rules, .ico files, image facts.
#include "engine/DisplayImage.h"
#include "engine/IcoDirectory.h"
#include "engine/IconImage.h"
#include "engine/IconImageSet.h"
#include "engine/IconItem.h"
#include "engine/PEFile.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quarvel;
using namespace quarvel::test;

namespace {

ByteView View(const Bytes& b) {
    return ByteView(b.data(), b.size());
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace

TEST(ReadGroupImages, TakesTheGroupInItsLanguageAndImagesFromAnyLanguage) {
    const Bytes a = MakeBmpImage(16, 4, 1), b = MakeBmpImage(32, 8, 2),
                b1031 = MakeBmpImage(32, 8, 9);
    ResourceTree tree;
    tree.Add(3, 10, 1033, a);
    tree.Add(3, 11, 1031, b1031); // the group's language has none for 11: first stored is used
    tree.Add(3, 11, 0, b);
    tree.Add(3, 12, 0, b);
    tree.Add(3, 12, 1033, a); // the group's language wins over the first stored
    tree.Add(14, 1, 1033,
             MakeGroup({EntryFor(a, 16, 4, 10), EntryFor(b, 32, 8, 11), EntryFor(a, 16, 4, 12)}));
    const Bytes pe = BuildImageWithResources(tree);
    CPEFile file(pe.data(), pe.size());

    const auto set = ReadGroupImages(file, 1, 1033);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->Count(), 3);
    EXPECT_EQ(set->entries[0].bWidth, 16);
    EXPECT_EQ(set->entries[0].bColorCount, 16);
    EXPECT_EQ(set->entries[0].dwImageOffset, 0u);
    EXPECT_EQ(set->entries[1].image, b1031);
    EXPECT_EQ(set->entries[2].image, a);

    EXPECT_EQ(ReadGroupImages(file, 1, 0), nullptr) << "no fallback for the group itself";
    EXPECT_EQ(ReadGroupImages(file, 2, 1033), nullptr);
    EXPECT_EQ(ReadGroupImages(file, ResKey(0), 1033), nullptr);
}

TEST(ReadGroupImages, ImageSizesMustMatchTheirEntriesExactly) {
    const Bytes a = MakeBmpImage(16, 4);
    for (int delta : {-1, 1}) {
        GroupEntrySpec entry = EntryFor(a, 16, 4, 10);
        entry.bytesInRes = static_cast<std::uint32_t>(static_cast<int>(a.size()) + delta);
        ResourceTree tree;
        tree.Add(3, 10, 0, a);
        tree.Add(14, 1, 0, MakeGroup({entry}));
        const Bytes pe = BuildImageWithResources(tree);
        CPEFile file(pe.data(), pe.size());
        EXPECT_EQ(ReadGroupImages(file, 1, 0), nullptr) << delta;
    }
}

TEST(ReadGroupImages, OpensTheFileByPath) {
    TempFolder dir;
    const Bytes a = MakeBmpImage(16, 4);
    ResourceTree tree;
    tree.Add(3, 10, 0, a);
    tree.Add(14, u"MAIN", 0, MakeGroup({EntryFor(a, 16, 4, 10)}));
    const std::string path = dir.Write("app.dll", BuildImageWithResources(tree));
    const auto set = ReadGroupImages(path.c_str(), "main", 0);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->Count(), 1);
    EXPECT_EQ(ReadGroupImages("", 1, 0), nullptr);
    EXPECT_EQ(ReadGroupImages(dir.File("none.dll").c_str(), 1, 0), nullptr);
}

TEST(ReadIcoFileImages, ChecksTheHeaderAndEveryImageAgainstTheFileSize) {
    TempFolder dir;
    const Bytes a = MakeBmpImage(16, 4), b = MakePngImage(32, 32);
    const Bytes ico = MakeIcoFile({EntryFor(a, 16, 4, 0), EntryFor(b, 32, 32, 0)}, {a, b});
    const auto set = ReadIcoFileImages(dir.Write("ok.ico", ico).c_str());
    ASSERT_NE(set, nullptr) << "an image that ends exactly at the end of the file";
    ASSERT_EQ(set->Count(), 2);
    EXPECT_EQ(set->entries[1].dwImageOffset, 6u + 32 + a.size());
    EXPECT_EQ(set->entries[1].image, b);

    Bytes typeTwo = ico;
    typeTwo[2] = 2;
    Bytes pastEnd = ico;
    PutU32(pastEnd, 22 + 8, static_cast<std::uint32_t>(b.size() + 1));
    Bytes wraps = ico;
    PutU32(wraps, 22 + 12, 0xFFFFFFF0u); // offset + size passes 2^32
    Bytes noImages = ico;
    noImages[4] = 0;
    Bytes shortDirectory(ico.begin(), ico.begin() + 6 + 16 + 15);
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, Bytes>>{
             {"five.ico", Bytes(ico.begin(), ico.begin() + 5)},
             {"type2.ico", typeTwo},
             {"past.ico", pastEnd},
             {"wraps.ico", wraps},
             {"none.ico", noImages},
             {"dir.ico", shortDirectory}}) {
        EXPECT_EQ(ReadIcoFileImages(dir.Write(name, bytes).c_str()), nullptr) << name;
    }
    EXPECT_EQ(ReadIcoFileImages(dir.File("missing.ico").c_str()), nullptr);
    EXPECT_EQ(ReadIcoFileImages(""), nullptr);
}

TEST(IcoDirectory, ReadsOnlyTheEntriesAndImagesInsideTheFile) {
    const Bytes a = MakeBmpImage(16, 4), b = MakeBmpImage(32, 8);
    const Bytes ico = MakeIcoFile({EntryFor(a, 16, 4, 0), EntryFor(b, 32, 8, 0)}, {a, b});
    const auto whole = IcoDirectory::Parse(View(ico));
    ASSERT_TRUE(whole);
    EXPECT_TRUE(whole->IsSoundIcon());
    EXPECT_EQ(whole->Entry(1).dwImageOffset, 6u + 32 + a.size());
    EXPECT_EQ(whole->TotalImageBytes(), a.size() + b.size());
    EXPECT_FALSE(whole->Image(2)) << "no such entry";
    EXPECT_FALSE(whole->Image(-1));

    // The file ends inside the second entry: only the first is read.
    const Bytes cut(ico.begin(), ico.begin() + 6 + 16 + 15);
    const auto partial = IcoDirectory::Parse(View(cut));
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->Count(), 2);
    EXPECT_EQ(partial->EntriesInFile(), 1);
    EXPECT_FALSE(partial->IsComplete());
    EXPECT_FALSE(partial->Image(0)) << "its image lay past the cut";
    EXPECT_FALSE(partial->Image(1));
    EXPECT_FALSE(partial->IsSoundIcon());

    // The second image ends one byte past the end of the file.
    const Bytes shortImage(ico.begin(), ico.end() - 1);
    const auto missing = IcoDirectory::Parse(View(shortImage));
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->IsComplete());
    EXPECT_TRUE(missing->Image(0));
    EXPECT_FALSE(missing->Image(1));
    EXPECT_FALSE(missing->IsSoundIcon());

    Bytes cursor = ico;
    cursor[2] = 2;
    EXPECT_FALSE(IcoDirectory::Parse(View(cursor))->IsSoundIcon()) << "type 2";
    EXPECT_FALSE(IcoDirectory::Parse(View(Bytes(ico.begin(), ico.begin() + 5))));
    EXPECT_FALSE(IcoFile("").Directory());
}

TEST(ReadIcoFileImages, RefusesEntriesThatShareBytesBeyondAnySensibleSize) {
    Bytes image(1 << 20, 0x28);
    std::vector<GroupEntrySpec> entries(1, EntryFor(image, 32, 32, 0));
    Bytes ico = MakeIcoFile(entries, {image});
    // 400 entries that all point at the same megabyte.
    ico[4] = 0x90;
    ico[5] = 0x01;
    Bytes directory(6 + 16 * 400);
    std::memcpy(directory.data(), ico.data(), 6);
    for (int i = 0; i < 400; ++i) {
        std::memcpy(&directory[6 + 16 * i], &ico[6], 16);
        PutU32(directory, 6 + 16 * i + 12, static_cast<std::uint32_t>(directory.size()));
    }
    directory.insert(directory.end(), image.begin(), image.end());
    EXPECT_EQ(ReadIcoImages(View(directory)), nullptr);
}

TEST(IconImageFacts, BitmapAndPngSizesAndDepths) {
    const Bytes bmp = MakeBmpImage(48, 24);
    EXPECT_EQ(ImageWidth(View(bmp)), 48);
    EXPECT_EQ(ImageBitCount(View(bmp)), 24);
    EXPECT_TRUE(HasBitmapHeader(View(bmp)));
    const Bytes png = MakePngImage(256, 128);
    EXPECT_TRUE(IsPngImage(View(png)));
    EXPECT_FALSE(HasBitmapHeader(View(png)));
    EXPECT_EQ(ImageWidth(View(png)), 256);
    EXPECT_EQ(ImageBitCount(View(png)), 32) << "RGBA at 8 bits per channel";
    Bytes rgb = png;
    rgb[8 + 8 + 9] = 2; // colour type RGB
    EXPECT_EQ(ImageBitCount(View(rgb)), 24);
    EXPECT_EQ(ImageWidth(View(Bytes(png.begin(), png.begin() + 20))), std::nullopt)
        << "IHDR cut short";
}

TEST(IconImageFacts, BuildSizesAreClampedToTheIconRange) {
    Bytes bmp = MakeBmpImage(16, 4);
    PutU32(bmp, 4, 16384);
    EXPECT_EQ(IconBuildSize(View(bmp)), 256);
    PutU32(bmp, 4, 0);
    EXPECT_EQ(IconBuildSize(View(bmp)), 1);
    PutU32(bmp, 4, 0x80000000u);
    EXPECT_EQ(IconBuildSize(View(bmp)), 1);
    EXPECT_EQ(IconBuildSize(View(MakePngImage(300, 10))), 256);
    EXPECT_EQ(IconBuildSize(View(MakePngImage(20, 10))), 20);
}

TEST(CIconItem, KeepsTheGroupKeyOrTheFile) {
    CIconItem byId("C:\\a.dll", 7, 1033);
    EXPECT_EQ(byId.GetKind(), CIconItem::ResourceGroup);
    EXPECT_TRUE(byId.GetName().IsId());
    EXPECT_EQ(byId.GetName().Id(), 7);
    EXPECT_STREQ(byId.GetNameText(), "");
    EXPECT_EQ(byId.GetImageIndex(), -2);

    std::string name = "MAINICON";
    CIconItem byName("C:\\a.dll", name.c_str(), 1031);
    name = "changed";
    EXPECT_FALSE(byName.GetName().IsId());
    EXPECT_STREQ(byName.GetName().Name(), "MAINICON") << "the name is copied";
    EXPECT_EQ(byName.GetId(), 0u);
    EXPECT_EQ(byName.GetLanguage(), 1031);

    const std::string longName(kResNameBufferSize + 100, 'n');
    CIconItem truncated("x", longName.c_str(), 0);
    EXPECT_EQ(std::strlen(truncated.GetNameText()), kResNameBufferSize - 1);

    CIconItem file("C:\\icons\\disk.ico");
    EXPECT_EQ(file.GetKind(), CIconItem::IconFile);
    EXPECT_EQ(file.GetLanguage(), 0);
    file.SetImageIndex(4);
    EXPECT_EQ(file.GetImageIndex(), 4);
}

TEST(ReadGroupImages, LargeGroupsOverLargeIconDirectories) {
    // 30000 icon ids sharing one image directory, and a group of 65535 entries that all name
    // the last id: each entry must not cost a walk of the whole icon directory.
    const Bytes a = MakeBmpImage(16, 1);
    ResourceTree tree;
    ResDir* icons = tree.Link(tree.Root(), 3, tree.NewDir()).dir;
    ResDir* shared = tree.NewDir();
    tree.AddData(shared, 1033, a);
    for (int id = 1; id <= 30000; ++id)
        tree.Link(icons, id, shared);
    std::vector<GroupEntrySpec> entries(65535, EntryFor(a, 16, 1, 30000));
    tree.Add(14, 1, 0, MakeGroup(entries));
    const Bytes pe = BuildImageWithResources(tree);
    CPEFile file(pe.data(), pe.size());
    const auto set = ReadGroupImages(file, 1, 0);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->Count(), 65535);
    EXPECT_EQ(set->entries[65534].image, a);
}

TEST(ChooseDisplayImage, TakesTheDeepestImageOfTheWidthAsTheSystemDoes) {
    // 32 pixels at 4, 32 and 8 bits, then a second 32-bit one: the first 32-bit image is shown.
    const Bytes four = MakeBmpImage(32, 4), deep = MakeBmpImage(32, 32, 1),
                eight = MakeBmpImage(32, 8), again = MakeBmpImage(32, 32, 2),
                small = MakeBmpImage(16, 32);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {small, four, deep, eight, again}, {16, 32, 32, 32, 32},
                 {32, 4, 32, 8, 32}, 1);
    const Bytes pe = BuildImageWithResources(tree);
    const CPEFile file(pe.data(), pe.size());
    const auto chosen = ChooseDisplayImage(file, 1, 0, 32);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Bytes(chosen->Data(), chosen->Data() + chosen->Size()), deep);
    const auto none = ChooseDisplayImage(file, 1, 0, 24);
    ASSERT_TRUE(none);
    EXPECT_EQ(Bytes(none->Data(), none->Data() + none->Size()), small) << "no match: entry 0";
}

TEST(ChooseDisplayImage, AHighDpiCellWithoutItsWidthTakesTheWidestNarrowerOfAtLeast32) {
    // Entry 0 is the smallest, as in many libraries; no image is 64 pixels wide.
    const Bytes i16 = MakeBmpImage(16, 32), i32 = MakeBmpImage(32, 32), i48 = MakeBmpImage(48, 4),
                d48 = MakeBmpImage(48, 32, 1);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {i16, i32, i48, d48}, {16, 32, 48, 48}, {32, 32, 4, 32}, 1);
    AddIconGroup(tree, 2, 0, {i16}, {16}, {32}, 10);
    const Bytes pe = BuildImageWithResources(tree);
    const CPEFile file(pe.data(), pe.size());
    const auto bytesOf = [](const std::optional<ByteView>& image) {
        return image ? Bytes(image->Data(), image->Data() + image->Size()) : Bytes();
    };
    EXPECT_EQ(bytesOf(ChooseDisplayImage(file, 1, 0, 64)), d48) << "the deepest 48";
    EXPECT_EQ(bytesOf(ChooseDisplayImage(file, 1, 0, 40)), i32);
    // At 96 DPI and below nothing changes: no match is entry 0.
    EXPECT_EQ(bytesOf(ChooseDisplayImage(file, 1, 0, 24)), i16);
    // Nothing of 32 or more below the width: entry 0.
    EXPECT_EQ(bytesOf(ChooseDisplayImage(file, 2, 0, 64)), i16);

    // An .ico file chooses alike.
    const Bytes ico = MakeIcoFile({EntryFor(i16, 16, 32, 1), EntryFor(i48, 48, 4, 2)}, {i16, i48});
    const auto chosen =
        ChooseIcoDisplayImage(*IcoDirectory::Parse(ByteView(ico.data(), ico.size())), 64);
    EXPECT_EQ(bytesOf(chosen), i48);
}
