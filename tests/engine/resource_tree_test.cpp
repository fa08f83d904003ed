// Walking resource trees: lookups by key, enumerations, icon group listing, damaged trees.
#include "engine/IconGroups.h"
#include "engine/PEFile.h"
#include "support/Listing.h"
#include "support/PeBuilder.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

std::vector<std::string> ListBytes(const Bytes& image) {
    CPEFile file(image.data(), image.size());
    ListingRecorder recorder;
    if (file.IsOpen())
        ListGroupIcons(file, "x.dll", recorder);
    return recorder.items;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(ListIconGroups, ListsNamesThenLanguagesInStoredOrder) {
    ResourceTree tree;
    tree.Add(14, u"MAINICON", 1033, Bytes(6));
    tree.Add(14, 3, 1033, Bytes(6));
    tree.Add(14, 3, 1031, Bytes(6));
    tree.Add(14, 1, 0, Bytes(6));
    tree.Add(3, 1, 0, Bytes(40)); // images are not listed
    EXPECT_EQ(ListBytes(BuildImageWithResources(tree)),
              (Strings{"MAINICON/1033", "3/1033", "3/1031", "1/0"}));
    EXPECT_EQ(ListBytes(BuildImageWithResources(tree, true)),
              (Strings{"MAINICON/1033", "3/1033", "3/1031", "1/0"}));
}

TEST(ListIconGroups, CountsFilesAsTheFileListShowsThem) {
    TempFolder dir;
    ResourceTree tree;
    tree.Add(14, 1, 0, Bytes(6));
    tree.Add(14, 1, 1033, Bytes(6));
    const std::string image = dir.Write("two.dll", BuildImageWithResources(tree));
    ListingRecorder recorder;
    EXPECT_EQ(ListIconGroups(image.c_str(), &recorder), 2);
    EXPECT_EQ(recorder.paths, (Strings{image, image}));

    recorder.accept = 0; // refused items still count
    EXPECT_EQ(ListIconGroups(image.c_str(), &recorder), 2);

    ListingRecorder ico;
    for (const char* name : {"a.ico", "B.ICO", "c.Ico"}) {
        const std::string path = dir.Write(name, Bytes(3, 'x')); // contents do not matter
        EXPECT_EQ(ListIconGroups(path.c_str(), &ico), 1) << name;
    }
    EXPECT_EQ(ico.items, (Strings{"ico", "ico", "ico"}));

    EXPECT_EQ(ListIconGroups(dir.File("missing.dll").c_str(), &ico), 0);
    EXPECT_EQ(ListIconGroups(dir.File("missing.ico").c_str(), &ico), 0);
    EXPECT_EQ(ListIconGroups(dir.Path().c_str(), &ico), 0);
    EXPECT_EQ(ListIconGroups(dir.Write("text.dll", Bytes(200, 'a')).c_str(), &ico), 0);
    EXPECT_EQ(ListIconGroups(image.c_str(), nullptr), 0);
    EXPECT_EQ(ListIconGroups("", &ico), 0);
}

TEST(ListIconGroups, ImagesWithoutGroupIconsListNothing) {
    ResourceTree onlyImages;
    onlyImages.Add(3, 1, 0, Bytes(40));
    onlyImages.Add(u"ICONS", 1, 0, Bytes(6)); // a named type, not RT_GROUP_ICON
    EXPECT_TRUE(ListBytes(BuildImageWithResources(onlyImages)).empty());
}

TEST(ListIconGroups, ANameWithoutLanguagesEndsTheListing) {
    ResourceTree tree;
    tree.Add(14, 1, 0, Bytes(6));
    ResDir* typeDir = tree.Find(tree.Root(), 14);
    tree.Link(typeDir, 2, tree.NewDir());
    tree.Add(14, 3, 0, Bytes(6));
    EXPECT_EQ(ListBytes(BuildImageWithResources(tree)), (Strings{"1/0"}));
}

TEST(ListIconGroups, SkipsEntriesOfTheWrongKind) {
    ResourceTree tree;
    tree.Add(14, 1, 0, Bytes(6));
    ResDir* typeDir = tree.Find(tree.Root(), 14);
    tree.AddData(typeDir, 5, Bytes(6)); // data at the name level
    tree.Add(14, 2, 7, Bytes(6));
    ResDir* nameDir = tree.Find(typeDir, 2);
    tree.Link(nameDir, 9, tree.NewDir());      // a directory at the language level
    tree.AddData(nameDir, u"NAMED", Bytes(6)); // a named entry at the language level
    tree.AddData(nameDir, 8, Bytes(6));
    EXPECT_EQ(ListBytes(BuildImageWithResources(tree)), (Strings{"1/0", "2/7", "2/8"}));
}

TEST(ListIconGroups, LinksBackUpTheTreeAreNotFollowed) {
    ResourceTree tree;
    ResDir* typeDir = tree.Link(tree.Root(), 14, tree.NewDir()).dir;
    tree.Link(typeDir, 1, tree.Root()); // a name leading back to the root
    tree.Link(typeDir, 2, typeDir);     // and one leading to its own directory
    tree.Add(14, 3, 0, Bytes(6));
    tree.Link(tree.Root(), 15, tree.Root());
    EXPECT_EQ(ListBytes(BuildImageWithResources(tree)), (Strings{"3/0"}));

    Bytes image = BuildImageWithResources(tree);
    CPEFile file(image.data(), image.size());
    const ResKey loop[] = {15, 15, 15, 15};
    EXPECT_EQ(file.FindDirectory(loop, 1), kNoPosition) << "the root is open on every path";
    const ResKey cycle[] = {14, 2};
    EXPECT_EQ(file.FindDirectory(cycle, 2), kNoPosition);
    int names = 0;
    file.EnumNames(
        14, [](ResKey, ResKey, void* n) { return ++*static_cast<int*>(n), true; }, &names);
    EXPECT_EQ(names, 1);
}

TEST(ListIconGroups, TruncatedDirectoriesStopAtTheEndOfTheFile) {
    ResourceTree tree;
    tree.Add(14, 1, 0, Bytes(6));
    tree.Add(14, 2, 0, Bytes(6));
    ResDir* typeDir = tree.Find(tree.Root(), 14);
    typeDir->forcedIdCount = 0xFFFF; // far more entries than the file holds
    tree.Find(typeDir, 2)->forcedIdCount = 0xFFFF;
    const Bytes image = BuildImageWithResources(tree);
    const Strings listed = ListBytes(image);
    ASSERT_GE(listed.size(), 2u);
    EXPECT_EQ(listed[0], "1/0");

    // Cut the file inside the type directory's entries.
    CPEFile file(image.data(), image.size());
    const ResKey type(14);
    const ResPos typePos = file.FindDirectory(&type, 1);
    for (std::size_t cut = 0x200; cut < typePos + 16 + 8 + 4; ++cut) {
        Bytes shorter(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_TRUE(ListBytes(shorter).empty()) << cut;
    }
}

TEST(ResourceLookup, KeysMatchByKindAndNamesIgnoreCase) {
    ResourceTree tree;
    tree.Add(u"PNG", u"Logo", 0, Bytes{1});
    tree.Add(u"PNG", 7, 0, Bytes{2});
    tree.Add(10, u"7", 0, Bytes{3});
    const Bytes image = BuildImageWithResources(tree);
    CPEFile file(image.data(), image.size());
    const auto data = [&](ResKey type, ResKey name) -> int {
        auto ref = file.FindResourceAnyLang(type, name);
        auto bytes = ref ? ref->Bytes() : std::nullopt;
        return bytes && bytes->Size() == 1 ? bytes->Data()[0] : 0;
    };
    EXPECT_EQ(data("png", "LOGO"), 1);
    EXPECT_EQ(data("Png", 7), 2);
    EXPECT_EQ(data(10, "7"), 3);
    EXPECT_EQ(data(10, 7), 0) << "an id never matches a named entry";
    EXPECT_EQ(data("PNG", "7"), 0) << "a string never matches an id entry";
    EXPECT_EQ(data("PNGX", "LOGO"), 0);
    EXPECT_EQ(data(0, 7), 0);
    EXPECT_EQ(data("PNG", ResKey(0)), 0);
}

TEST(ResourceLookup, LanguagesExactOrFirstStored) {
    ResourceTree tree;
    tree.Add(3, 1, 1031, Bytes{1});
    tree.Add(3, 1, 1033, Bytes{2});
    const Bytes image = BuildImageWithResources(tree);
    CPEFile file(image.data(), image.size());
    auto exact = file.FindResourceLang(3, 1, 1033);
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->Language(), 1033);
    EXPECT_EQ(exact->Bytes()->Data()[0], 2);
    EXPECT_FALSE(file.FindResourceLang(3, 1, 0));
    auto any = file.FindResourceAnyLang(3, 1);
    ASSERT_TRUE(any);
    EXPECT_EQ(any->Language(), 1031);

    std::vector<int> seen;
    EXPECT_TRUE(file.EnumLanguages(
        3, 1,
        [](ResKey, ResKey, std::uint16_t lang, void* s) {
            static_cast<std::vector<int>*>(s)->push_back(lang);
            return false; // stop after the first
        },
        &seen));
    EXPECT_EQ(seen, (std::vector<int>{1031}));
    EXPECT_FALSE(file.EnumLanguages(
        3, 2, [](ResKey, ResKey, std::uint16_t, void*) { return true; }, nullptr));
    EXPECT_FALSE(file.EnumNames(
        0, [](ResKey, ResKey, void*) { return true; }, nullptr));
}

TEST(ResourceLookup, DataOutsideEverySectionHasNoBytes) {
    ResourceTree tree;
    ResEntry& nowhere = tree.Add(3, 1, 0, Bytes(40, 1));
    nowhere.forceRva = true;
    nowhere.rva = 0x900000;
    ResEntry& tooLong = tree.Add(3, 2, 0, Bytes(40, 1));
    tooLong.forceSize = true;
    tooLong.size = 0xFFFFFFFFu;
    const Bytes image = BuildImageWithResources(tree);
    CPEFile file(image.data(), image.size());
    auto ref = file.FindResourceAnyLang(3, 1);
    ASSERT_TRUE(ref);
    EXPECT_FALSE(ref->Bytes());
    EXPECT_FALSE(ref->BytesOfLength(1));
    auto big = file.FindResourceAnyLang(3, 2);
    ASSERT_TRUE(big);
    EXPECT_FALSE(big->Bytes()) << "the data starts in the file but does not all lie inside it";
    EXPECT_TRUE(big->BytesOfLength(40));
}

TEST(ResourceNames, LongAndUnusualNames) {
    ResourceTree tree;
    const std::u16string fits(255, u'a');
    const std::u16string tooLong(256, u'b');
    tree.Add(14, fits.c_str(), 0, Bytes(6));
    tree.Add(14, tooLong.c_str(), 0, Bytes(6));
    tree.Add(14, u"\u00e9t\u00e9", 0, Bytes(6));
    const char16_t pairAndLone[] = {0xD83D, 0xDE00, 0xD800, u'x', 0};
    tree.Add(14, pairAndLone, 0, Bytes(6));
    // Characters count, not bytes: 255 of three bytes each in UTF-8 fit.
    tree.Add(14, std::u16string(255, u'\u65e5').c_str(), 0, Bytes(6));
    const Strings listed = ListBytes(BuildImageWithResources(tree));
    ASSERT_EQ(listed.size(), 5u);
    EXPECT_EQ(listed[0], std::string(255, 'a') + "/0");
    EXPECT_EQ(listed[1], "/0") << "a name that does not fit comes back empty";
    EXPECT_EQ(listed[2], "\xC3\xA9t\xC3\xA9/0") << "UTF-8, the program's code page on Windows too";
    std::string sun;
    for (int i = 0; i < 255; ++i)
        sun += "\xE6\x97\xA5";
    EXPECT_EQ(listed[4], sun + "/0");
#ifndef _WIN32
    EXPECT_EQ(listed[3], "\xF0\x9F\x98\x80?x/0") << "a pair joins, a lone surrogate becomes '?'";
#endif
}

TEST(ListIconGroups, ADirectorySharedByManyNamesIsListedOnce) {
    // 2000 names that all lead to one directory of 2000 languages: listing every pair would
    // report four million icons for a file of a few dozen kilobytes.
    ResourceTree tree;
    ResDir* typeDir = tree.Link(tree.Root(), 14, tree.NewDir()).dir;
    ResDir* shared = tree.NewDir();
    for (int i = 1; i <= 2000; ++i) {
        tree.Link(typeDir, i, shared);
        tree.AddData(shared, i, Bytes(6));
    }
    const Strings listed = ListBytes(BuildImageWithResources(tree));
    ASSERT_EQ(listed.size(), 2000u);
    EXPECT_EQ(listed.front(), "1/1");
    EXPECT_EQ(listed.back(), "1/2000");
}
