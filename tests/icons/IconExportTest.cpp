// The icon panes' PNG saves, their Copy Icon Location, and icons read from .mun files.
#include "IconPanes.h"

#include "IconDrawing.h"
#include "SaveNameDialog.h"
#include "engine/IconGroups.h"
#include "engine/IconItem.h"
#include "support/PngDecoder.h"

#include <shellapi.h>

#include <filesystem>

using namespace quarvel;
using namespace quarvel::test;

namespace {

std::optional<DecodedPng> PngFile(const std::string& path) {
    return DecodePng(ReadFileBytes(path));
}

// The location the focused icon's Copy Icon Location puts on the clipboard.
std::string CopiedLocation(CWnd* pane) {
    CopyTextToClipboard(nullptr, "before");
    pane->SendMessage(WM_COMMAND, ID_COPY_ICON_LOCATION);
    return ui::ClipboardText();
}

} // namespace

TEST_F(IconPanes, IconsMovedToAMunFileAreShownSavedAndLocatedFromIt) {
    namespace fs = std::filesystem;
    const fs::path windows = fs::path(folder.Path()) / "windows";
    fs::create_directories(windows / "System32");
    fs::create_directories(windows / "SystemResources");
    ResourceTree none;
    none.Add(16, 1, 0, Bytes(64));
    const std::string dll = WriteImage("windows\\System32\\x.dll", none);
    ResourceTree icons;
    AddIconGroup(icons, 5, 0, {MakeBmpImage(16, 4), MakeBmpImage(32, 32)}, {16, 32}, {4, 32}, 1);
    WriteImage("windows\\SystemResources\\x.dll.mun", icons);

    ASSERT_EQ(ListIconGroups(dll.c_str(), &List()), 1);
    EXPECT_EQ(List().GetItemText(0, 0), "5\r\nx.dll.mun") << "the label says where it came from";
    EXPECT_GE(List().GetPicture(0), 0);
    EXPECT_EQ(List().DefaultFileName(0, ".ico"), "x.dll#5.ico");
    ClickItem(0);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"16x16x16", "32x32x32bit"}));
    EXPECT_EQ(CopiedLocation(iconList), dll + ",-5") << "located as Windows resolves it";
    EXPECT_EQ(CopiedLocation(subIcons), dll + ",-5");

    // Save Icon As with the PNG filter writes the largest image, whatever the name typed.
    const std::string chosen = folder.File("chosen.ico");
    {
        SaveDialogAnswer answer(chosen, 2);
        iconList->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_EQ(answer.dialogs, 1);
        EXPECT_TRUE(answer.messages.empty());
    }
    const auto png = PngFile(chosen);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 32);
    EXPECT_EQ(List().SaveIcon(0, false, chosen.c_str(), false, kSaveAsPng), 0)
        << "an existing file is replaced only when allowed";
}

TEST_F(IconPanes, SavingSelectedRowsAsPngWritesOneFileNamedBySizePerImage) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    Rows().SetSel(0);
    Rows().SetSel(2);
    const std::string chosen = folder.File("pick.png");
    {
        SaveDialogAnswer answer(chosen, 2);
        subIcons->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_TRUE(answer.messages.empty());
    }
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"pick-16x16x4.png", "pick-48x48x32.png", "three.dll"}));
    const auto large = PngFile(folder.File("pick-48x48x32.png"));
    ASSERT_TRUE(large);
    EXPECT_EQ(large->width, 48);

    // The files the dialog did not ask about are never replaced: a second save fails, says so.
    {
        SaveDialogAnswer answer(chosen, 2);
        subIcons->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_EQ(answer.messages,
                  std::vector<std::string>{"Save resource: Save [" + chosen + "] failed!"});
    }
}

// For every group of shell32.dll, the system's ExtractIconExA, given the location the icon list
// copies, finds the icon whose picture the list shows.
TEST_F(IconPanes, CopiedLocationsLeadExtractIconToTheListedPictures) {
    const std::string shell32 = "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\shell32.dll";
    if (GetFileAttributesA(shell32.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "Wine's shell32.dll is not there";
    const int count = ListIconGroups(shell32.c_str(), &List());
    ASSERT_GT(count, 10);
    int named = 0;
    for (int i = 0; i < count; ++i) {
        List().SetItemState(i, LVIS_FOCUSED, LVIS_FOCUSED);
        const std::string location = CopiedLocation(iconList);
        const std::size_t comma = location.rfind(',');
        ASSERT_NE(comma, std::string::npos) << location;
        ASSERT_EQ(location.substr(0, comma), shell32);
        named += location[comma + 1] != '-';
        // Index -1 asks ExtractIconEx for the number of icons (Wine answers it even with room
        // for one): resource id 1 cannot be looked up through it.
        if (location.substr(comma + 1) == "-1")
            continue;
        HICON large = nullptr;
        ASSERT_EQ(ExtractIconExA(shell32.c_str(), std::stoi(location.substr(comma + 1)), &large,
                                 nullptr, 1),
                  1u)
            << location;
        const ScopedIcon extracted(large);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(List().GetPictures(), &cx, &cy);
        const ScopedBitmap picture = DrawIconPicture(
            extracted.Get(), cx, cy, PlaceInCell(IconWidth(extracted.Get()), cx, cy));
        const int index = List().GetPicture(i);
        ASSERT_GE(index, 0) << location;
        EXPECT_EQ(Picture::Of(picture.Get()).pixels,
                  Picture::Of(List().GetPictures(), index).pixels)
            << location;
    }
    EXPECT_GT(named, 0) << "shell32.dll has named groups, located by position";
}
