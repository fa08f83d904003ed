// Icons moved to .mun files, and icon locations.
#include "engine/IconGroups.h"
#include "engine/IconItem.h"
#include "engine/IconLocation.h"
#include "engine/MunFallback.h"
#include "engine/PEFile.h"
#include "support/IconData.h"
#include "support/Listing.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvel;
using namespace quarvel::test;

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

Bytes WithGroups(const std::vector<Key>& names) {
    ResourceTree tree;
    const Bytes image = MakeBmpImage(16, 4);
    tree.Add(3, 1, 0, image);
    for (const Key& name : names)
        tree.Add(14, name, 1033, MakeGroup({EntryFor(image, 16, 4, 1)}));
    return BuildImageWithResources(tree);
}

Bytes WithoutGroups() {
    ResourceTree tree;
    tree.Add(16, 1, 1033, Bytes(64)); // a version resource, no icons
    return BuildImageWithResources(tree);
}

// A prefix's windows folder: System32 and SystemResources beside each other.
struct WindowsFolder {
    TempFolder root;
    std::string Write(const char* folder, const char* name, const Bytes& bytes) const {
        const fs::path dir = fs::path(root.Path()) / "windows" / folder;
        fs::create_directories(dir);
        return root.Write(((dir / name).make_preferred()).string().substr(root.Path().size() + 1),
                          bytes);
    }
};

// Records where each listed icon is read from and what it was listed for.
struct MovedRecorder : ListingRecorder {
    int AddMovedGroupIcon(const char* listedPath, const char* sourcePath, ResKey name,
                          std::uint16_t language) override {
        listed.push_back(listedPath);
        return AddGroupIcon(sourcePath, name, language);
    }
    Strings listed;
};

} // namespace

TEST(MovedIcons, AFileWithoutGroupsListsThoseOfItsMunFile) {
    const WindowsFolder windows;
    const std::string dll = windows.Write("System32", "x.dll", WithoutGroups());
    const std::string mun = windows.Write("SystemResources", "x.dll.mun", WithGroups({u"APP", 3}));
    EXPECT_EQ(MovedIconsPath(dll.c_str()), mun);

    MovedRecorder recorder;
    EXPECT_EQ(ListIconGroups(dll.c_str(), &recorder), 2);
    EXPECT_EQ(recorder.items, (Strings{"APP/1033", "3/1033"}));
    EXPECT_EQ(recorder.paths, (Strings{mun, mun})) << "read from the .mun file";
    EXPECT_EQ(recorder.listed, (Strings{dll, dll}));
    ListingRecorder plain; // a receiver that knows nothing of moved icons reads the .mun file
    EXPECT_EQ(ListIconGroups(dll.c_str(), &plain), 2);
    EXPECT_EQ(plain.paths, (Strings{mun, mun}));

    // A file with icons of its own never looks elsewhere; a .mun file lists its own icons.
    const std::string own = windows.Write("System32", "y.dll", WithGroups({7}));
    windows.Write("SystemResources", "y.dll.mun", WithGroups({1, 2}));
    MovedRecorder ownRecorder;
    EXPECT_EQ(ListIconGroups(own.c_str(), &ownRecorder), 1);
    EXPECT_EQ(ownRecorder.paths, (Strings{own}));
    EXPECT_TRUE(ownRecorder.listed.empty());
    ListingRecorder munItself;
    EXPECT_EQ(ListIconGroups(mun.c_str(), &munItself), 2);
    EXPECT_EQ(munItself.paths, (Strings{mun, mun}));

    // No .mun file, or one without icons or not an image: nothing.
    const std::string bare = windows.Write("System32", "z.dll", WithoutGroups());
    const std::string empty = windows.Write("System32", "e.dll", WithoutGroups());
    windows.Write("SystemResources", "e.dll.mun", WithoutGroups());
    const std::string text = windows.Write("System32", "t.dll", WithoutGroups());
    windows.Write("SystemResources", "t.dll.mun", Bytes(300, 'M'));
    for (const std::string& path : {bare, empty, text}) {
        ListingRecorder none;
        EXPECT_EQ(ListIconGroups(path.c_str(), &none), 0) << path;
    }
    EXPECT_EQ(MovedIconsPath(bare.c_str()), "");
}

TEST(IconLocation, NumberedGroupsByIdNamedOnesByPositionIcoFilesBare) {
    TempFolder dir;
    const std::string dll = dir.Write("lib.dll", WithGroups({u"FIRST", u"SECOND", 5, 9}));
    const auto location = [](const CIconItem& item) { return IconLocation(item).value_or("-"); };
    EXPECT_EQ(location(CIconItem(dll.c_str(), ResKey(9), 1033)), dll + ",-9");
    EXPECT_EQ(location(CIconItem(dll.c_str(), ResKey("SECOND"), 1033)), dll + ",1");
    EXPECT_EQ(location(CIconItem(dll.c_str(), ResKey("FIRST"), 1033)), dll + ",0");
    EXPECT_EQ(location(CIconItem(dll.c_str(), ResKey("GONE"), 1033)), "-");
    const std::string ico = dir.Write("tools.ico", Bytes(10));
    EXPECT_EQ(location(CIconItem(ico.c_str())), ico);

    const CPEFile file(dll.c_str());
    EXPECT_EQ(GroupIconPosition(file, ResKey(5)), 2);
    EXPECT_EQ(GroupIconPosition(file, ResKey(9)), 3);
    EXPECT_EQ(GroupIconPosition(file, ResKey(6)), std::nullopt);

    // A moved icon is located under the file it was listed for, counted in the .mun file.
    CIconItem moved(dll.c_str(), ResKey("SECOND"), 1033);
    moved.SetListedPath("C:\\Windows\\System32\\lib.dll");
    EXPECT_EQ(location(moved), "C:\\Windows\\System32\\lib.dll,1");
}
