// Opening image files: header checks, PE32 and PE32+, and the RVA-to-file translation.
#include "engine/PEFile.h"
#include "support/PeBuilder.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quarvel;
using namespace quarvel::test;

namespace {

Bytes ImageWithOneResource(bool pe32Plus) {
    ResourceTree tree;
    tree.Add(14, 1, 0, Bytes(8, 1));
    return BuildImageWithResources(tree, pe32Plus);
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace

TEST(PEFileOpen, RefusesFilesThatAreNotImages) {
    TempFolder dir;
    EXPECT_FALSE(CPEFile(dir.Write("empty.dll", {}).c_str()).IsOpen());
    EXPECT_FALSE(CPEFile(dir.File("missing.dll").c_str()).IsOpen());
    EXPECT_FALSE(CPEFile("").IsOpen());
    EXPECT_FALSE(CPEFile(static_cast<const char*>(nullptr)).IsOpen());
    EXPECT_FALSE(CPEFile(dir.Path().c_str()).IsOpen()) << "a folder";

    // A DOS program: MZ but no PE signature at e_lfanew.
    Bytes dos = ImageWithOneResource(false);
    PutU32(dos, 0x80, 0x12345678);
    EXPECT_FALSE(CPEFile(dos.data(), dos.size()).IsOpen());

    Bytes noMz = ImageWithOneResource(false);
    noMz[0] = 'Z';
    EXPECT_FALSE(CPEFile(noMz.data(), noMz.size()).IsOpen());

    // Shorter than the 64-byte DOS header, even with a valid start.
    Bytes tiny = {'M', 'Z'};
    tiny.resize(63);
    EXPECT_FALSE(CPEFile(tiny.data(), tiny.size()).IsOpen());
}

TEST(PEFileOpen, RefusesHeadersOutsideTheFile) {
    Bytes image = ImageWithOneResource(false);
    for (std::uint32_t lfanew : {0xFFFFFFFFu, 0xFFFFFFFDu, static_cast<std::uint32_t>(image.size()),
                                 static_cast<std::uint32_t>(image.size() - 3)}) {
        Bytes bad = image;
        PutU32(bad, 0x3C, lfanew);
        EXPECT_FALSE(CPEFile(bad.data(), bad.size()).IsOpen()) << lfanew;
    }
    // Signature readable but the optional header's magic is not.
    Bytes cut(image.begin(), image.begin() + 0x80 + 25);
    EXPECT_FALSE(CPEFile(cut.data(), cut.size()).IsOpen());
    Bytes justEnough(image.begin(), image.begin() + 0x80 + 26);
    CPEFile open(justEnough.data(), justEnough.size());
    EXPECT_TRUE(open.IsOpen());
    EXPECT_EQ(open.ResourceRoot(), kNoPosition);
}

TEST(PEFileOpen, ReadsTheResourceDirectoryOfBothFormats) {
    for (bool plus : {false, true}) {
        Bytes image = ImageWithOneResource(plus);
        CPEFile file(image.data(), image.size());
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(file.IsPE32Plus(), plus);
        EXPECT_EQ(file.ResourceRoot(), 0x200u) << "the section's raw data";
        const ResKey path[] = {14, 1};
        EXPECT_NE(file.FindDirectory(path, 2), kNoPosition);
    }
}

TEST(PEFileOpen, ReadsAnUnknownMagicAsPE32) {
    ResourceTree tree;
    tree.Add(14, 1, 0, Bytes(8, 1));
    ImageLayout layout;
    layout.magic = 0x107;
    layout.resourceRva = 0x1000;
    layout.sections.push_back({0x1000, 0, tree.Build(0x1000)});
    Bytes image = BuildImage(layout);
    CPEFile file(image.data(), image.size());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_FALSE(file.IsPE32Plus());
    EXPECT_NE(file.ResourceRoot(), kNoPosition);
}

TEST(PEFileOpen, ImagesWithoutResourcesAreOpenAndEmpty) {
    ImageLayout none;
    none.sections.push_back({0x1000, 0x100, Bytes(0x100, 0)});
    Bytes image = BuildImage(none);
    CPEFile noDirectory(image.data(), image.size());
    ASSERT_TRUE(noDirectory.IsOpen());
    EXPECT_EQ(noDirectory.ResourceRoot(), kNoPosition);

    none.resourceRva = 0x40; // inside the headers: no section holds it
    image = BuildImage(none);
    CPEFile inHeaders(image.data(), image.size());
    ASSERT_TRUE(inHeaders.IsOpen());
    EXPECT_EQ(inHeaders.ResourceRoot(), kNoPosition);
    const ResKey type(14);
    EXPECT_EQ(inHeaders.FindDirectory(&type, 1), kNoPosition);
}

TEST(PEFileRva, MatchesSectionsInTableOrder) {
    ImageLayout layout;
    layout.sections.push_back({0x1000, 0x1000, Bytes(0x1000, 0xA1)});
    layout.sections.push_back({0x1800, 0x1000, Bytes(0x1000, 0xB2)}); // overlaps the first
    Section rawOnly;
    rawOnly.virtualAddress = 0x4000; // VirtualSize 0: matched against SizeOfRawData (0x200)
    rawOnly.data = Bytes(0x200, 0xC3);
    layout.sections.push_back(rawOnly);
    Bytes image = BuildImage(layout);
    CPEFile file(image.data(), image.size());
    ASSERT_TRUE(file.IsOpen());
    const std::uint32_t table = SectionTableOffset(layout);
    const auto raw = [&](int i) {
        return image[table + 40 * i + 20] | image[table + 40 * i + 21] << 8;
    };

    const auto offset = [](std::uint64_t at) { return std::optional<std::uint64_t>(at); };
    EXPECT_EQ(file.RvaToOffset(0x1900), offset(raw(0) + 0x900)) << "earlier section wins";
    EXPECT_EQ(file.RvaToOffset(0x2000), offset(raw(1) + 0x800));
    EXPECT_EQ(file.RvaToOffset(0x41FF), offset(raw(2) + 0x1FF));
    EXPECT_EQ(file.RvaToOffset(0x4200), std::nullopt);
    EXPECT_EQ(file.RvaToOffset(0x0FFF), std::nullopt);
    EXPECT_EQ(file.RvaToOffset(0x2800), std::nullopt);
}

TEST(PEFileRva, SectionsNearTheTopOfTheAddressSpaceDoNotWrap) {
    ImageLayout layout;
    layout.sections.push_back({0xFFFFF000u, 0x2000, Bytes(0x10, 1)}); // end passes 2^32
    Section farRaw;
    farRaw.virtualAddress = 0x1000;
    farRaw.virtualSize = 0x100;
    farRaw.forceRaw = true;
    farRaw.rawSize = 0x100;
    farRaw.rawPointer = 0xFFFFFFF0u; // far past the end of the file
    layout.sections.push_back(farRaw);
    Bytes image = BuildImage(layout);
    CPEFile file(image.data(), image.size());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.RvaToOffset(0x10), std::nullopt) << "0xFFFFF000 + 0x2000 wraps to 0x1000";
    EXPECT_TRUE(file.RvaToOffset(0xFFFFFFFFu));
    EXPECT_EQ(file.RvaToOffset(0x1050), std::uint64_t{0xFFFFFFF0u} + 0x50)
        << "past the end of the file: the offset is kept, every read from it fails";
}

TEST(PEFileRva, ATruncatedSectionTableFindsNothingPastItsEnd) {
    ImageLayout layout;
    layout.sections.push_back({0x1000, 0x100, Bytes(0x100, 1)});
    Bytes image = BuildImage(layout);
    // Claim 60000 sections; only the first is readable before the data.
    image[layout.lfanew + 6] = 0x60;
    image[layout.lfanew + 7] = 0xEA;
    CPEFile file(image.data(), image.size());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.RvaToOffset(0x1000));
    EXPECT_EQ(file.RvaToOffset(0x7FFFFFFF), std::nullopt);
}

TEST(PEFileName, IsKeptOnlyWhileOpen) {
    TempFolder dir;
    const std::string path = dir.Write("app.exe", ImageWithOneResource(false));
    CPEFile file(path.c_str());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetFileName(), path);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetFileName(), "");
    file.Close(); // a second close does nothing

    CPEFile failed(dir.Write("dos.exe", Bytes(100, 'M')).c_str());
    EXPECT_EQ(failed.GetFileName(), "");
}

TEST(PEFileName, PathsOf260CharactersAreRefused) {
    TempFolder dir;
    dir.Write("app.exe", ImageWithOneResource(false));
    // The same file under longer names: repeated separators pad the path.
    const auto padded = [&](std::size_t length) {
        const char sep = dir.File("x")[dir.Path().size()];
        std::string path = dir.Path();
        path.append(length - path.size() - 7, sep);
        return path + "app.exe";
    };
    ASSERT_LT(dir.Path().size(), 250u);
    EXPECT_TRUE(CPEFile(padded(259).c_str()).IsOpen());
    EXPECT_FALSE(CPEFile(padded(260).c_str()).IsOpen());

    // Characters are counted, not bytes: 80 characters of three bytes each in UTF-8 fit (a
    // name of 244 bytes, within every file system's limit).
    std::string name;
    for (int i = 0; i < 80; ++i)
        name += u8"日";
    const std::string wide = dir.Write(name + ".exe", ImageWithOneResource(false));
    ASSERT_GT(wide.size(), 260u);
    ASSERT_FALSE(ReadFileBytes(wide).empty());
    EXPECT_TRUE(CPEFile(wide.c_str()).IsOpen());
}
