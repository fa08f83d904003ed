// Cursors in the icon panes: group cursors, .cur and .ani files listed after a file's icons and
// marked as cursors, their images with hot spots and an animation's steps in the sub-icon view,
// damaged cursors, and their saves, copies and locations.
#include "IconPanes.h"

#include "CursorLabels.h"
#include "CursorMark.h"
#include "SaveNameDialog.h"
#include "engine/IconGroups.h"
#include "engine/IconImageSet.h"
#include "engine/IconItem.h"
#include "support/CursorData.h"
#include "support/PngDecoder.h"

#include <algorithm>

using namespace quarvel;
using namespace quarvel::test;

namespace {

// Three 32-pixel cursor frames (hot spots 1,1, 2,2 and 3,3) shown in four steps.
AniParts SequencedAni() {
    AniParts parts = MakeAniParts(3);
    parts.steps = 4;
    parts.sequence = {2, 0, 1, 0};
    parts.rates = {6, 12, 30, 1};
    return parts;
}

std::vector<std::uint32_t> Colours(const Picture& picture) {
    std::vector<std::uint32_t> colours;
    for (std::uint32_t pixel : picture.pixels)
        colours.push_back(pixel & 0xFFFFFF);
    return colours;
}

Bytes Tail(const Bytes& bytes, std::size_t from) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

std::string CopiedLocation(CWnd* pane) {
    CopyTextToClipboard(nullptr, "before");
    pane->SendMessage(WM_COMMAND, ID_COPY_ICON_LOCATION);
    return ui::ClipboardText();
}

} // namespace

TEST_F(IconPanes, CursorsFollowTheFileIconsAndSayTheyAreCursors) {
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409, {MakeBmpImage(32, 32, 7)}, {32}, {32}, 1);
    AddCursorGroup(tree, 5, 0x409, {32}, {{3, 4}}, 10);
    const std::string dll = WriteImage("pointers.dll", tree);
    const std::string cur = folder.Write("arrow.cur", MakeCurFile({32}, {{1, 1}}));
    const std::string ani = folder.Write("busy.ani", BuildAni(SequencedAni()));
    EXPECT_EQ(ListIconGroups(dll.c_str(), &List()), 2);
    EXPECT_EQ(ListIconGroups(cur.c_str(), &List()), 1);
    EXPECT_EQ(ListIconGroups(ani.c_str(), &List()), 1);
    ASSERT_EQ(List().GetItemCount(), 4);

    const std::vector<CIconItem::Kind> kinds = {CIconItem::ResourceGroup, CIconItem::CursorGroup,
                                                CIconItem::CursorFile,
                                                CIconItem::AnimatedCursorFile};
    for (int i = 0; i < 4; ++i) {
        const CIconItem* item = List().GetIconItem(i);
        EXPECT_EQ(item->GetKind(), kinds[static_cast<std::size_t>(i)]);
        EXPECT_EQ(item->IsCursor(), i > 0);
        EXPECT_EQ(std::string(item->KindName()).find("cursor") != std::string::npos, i > 0)
            << item->KindName();
    }
    EXPECT_STREQ(List().GetLabel(1), "5\r\npointers.dll");
    EXPECT_STREQ(List().GetLabel(3), "busy.ani");

    // The tooltip's first line names the cursor; an icon's has none.
    EXPECT_EQ(CursorTooltipLine(*List().GetIconItem(0)), "");
    EXPECT_EQ(CursorTooltipLine(*List().GetIconItem(1)), "Cursor");
    EXPECT_EQ(CursorTooltipLine(*List().GetIconItem(2)), "Cursor file");
    EXPECT_EQ(CursorTooltipLine(*List().GetIconItem(3)), "Animated cursor: 3 frames, 4 steps");
    EXPECT_EQ(List().OwnExtension(0), std::string(".ico"));
    EXPECT_EQ(List().OwnExtension(1), std::string(".cur"));
    EXPECT_EQ(List().OwnExtension(3), std::string(".ani"));
    // An icon and a cursor of one name keep their pictures apart.
    EXPECT_STREQ(List().DefaultFileName(1, ".cur"), "pointers.dll#5.cur");
    EXPECT_STREQ(List().DefaultFileName(1, ".png"), "pointers.dll#5-cursor.png");
    EXPECT_STREQ(List().DefaultFileName(0, ".png"), "pointers.dll#1.png");
    EXPECT_STREQ(List().DefaultFileName(3, ".bmp"), "busy-cursor.bmp");
}

TEST_F(IconPanes, ACursorCellIsTheImageWithTheCursorMarkAndIsCopiedSo) {
    // The same image as an .ico file and as a .cur file (type 2, hot spot 3,4).
    const Bytes image = MakeBmpImage(32, 32, 3);
    const Bytes ico = MakeIcoFile({EntryFor(image, 32, 32, 0)}, {image});
    Bytes cur = ico;
    cur[2] = 2;
    cur[6 + 4] = 3;
    cur[6 + 6] = 4;
    ASSERT_EQ(List().AddIconFile(folder.Write("plain.ico", ico).c_str()), 1);
    ASSERT_EQ(List().AddCursorFile(folder.Write("plain.cur", cur).c_str()), 1);

    const int side = List().GetCellSide();
    const Picture icon = Picture::Of(List().GetPictures(), List().GetPicture(0));
    const Picture cursor = Picture::Of(List().GetPictures(), List().GetPicture(1));
    ASSERT_EQ(icon.width, side);
    std::vector<std::uint32_t> marked = Colours(icon);
    DrawCursorMark(marked.data(), side);
    EXPECT_NE(marked, Colours(icon)) << "the mark shows";
    EXPECT_EQ(Colours(cursor), marked) << "the picture is the icon's, with the mark";

    ClickItem(1);
    ASSERT_TRUE(List().CopyFirstSelected());
    EXPECT_EQ(Colours(ClipboardPicture()), marked);
}

TEST_F(IconPanes, SubIconRowsGiveHotSpotsAndAnAnimationsStepsWithTheirTimes) {
    const std::string cur = folder.Write("two.cur", MakeCurFile({16, 32}, {{1, 2}, {5, 5}}));
    const std::string ani = folder.Write("busy.ani", BuildAni(SequencedAni()));
    ASSERT_EQ(List().AddCursorFile(cur.c_str()), 1);
    ASSERT_EQ(List().AddAnimatedCursorFile(ani.c_str()), 1);

    ClickItem(0);
    EXPECT_EQ(RowLabels(),
              (std::vector<std::string>{"16x16x2  hot spot 1,2", "32x32x2  hot spot 5,5"}));
    ASSERT_TRUE(Rows().GetRow(1)->hasHotSpot);
    EXPECT_EQ(Rows().GetRow(1)->hotSpot.x, 5);
    EXPECT_EQ(Rows().GetRow(1)->hotSpot.y, 5);

    // The steps in sequence order, numbered from 1, their rates in milliseconds (6 jiffies of a
    // sixtieth of a second are 100 ms).
    ClickItem(1);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"Frame 3, 100 ms  32x32x2  hot spot 3,3",
                                                     "Frame 1, 200 ms  32x32x2  hot spot 1,1",
                                                     "Frame 2, 500 ms  32x32x2  hot spot 2,2",
                                                     "Frame 1, 17 ms  32x32x2  hot spot 1,1"}));
    std::vector<int> frames;
    for (int row = 0; row < Rows().GetCount(); ++row)
        frames.push_back(Rows().GetRow(row)->directoryIndex);
    EXPECT_EQ(frames, (std::vector<int>{2, 0, 1, 0}));
    EXPECT_TRUE(Rows().GetRow(0)->icon) << "built through the image check";
}

TEST_F(IconPanes, ADamagedCursorIsListedAndSaysWhyWithoutImages) {
    AniParts overflow = MakeAniParts(2);
    overflow.headerSizeField = 0xFFFFFFFF;
    Bytes cut = MakeCurFile({32}, {{1, 1}});
    cut.resize(cut.size() - 40);
    ASSERT_EQ(List().AddAnimatedCursorFile(folder.Write("bad.ani", BuildAni(overflow)).c_str()), 1);
    ASSERT_EQ(List().AddCursorFile(folder.Write("cut.cur", cut).c_str()), 1);

    EXPECT_LT(List().GetPicture(0), 0);
    EXPECT_EQ(CursorTooltipLine(*List().GetIconItem(0)).rfind("Animated cursor: damaged (", 0), 0u)
        << CursorTooltipLine(*List().GetIconItem(0));
    for (int index : {0, 1}) {
        ClickItem(index);
        ASSERT_EQ(Rows().GetCount(), 1);
        EXPECT_FALSE(Rows().GetRow(0)->icon);
        const std::string label = Rows().GetRow(0)->label;
        EXPECT_NE(label.find(" (damaged)"), std::string::npos) << label;
        std::vector<CString> written;
        Rows().SetSel(0);
        EXPECT_FALSE(subIcons->SaveSelectedAsPng(folder.File("none.png").c_str(), &written));
        EXPECT_FALSE(subIcons->SaveSelectedAsIco(folder.File("none.cur").c_str()));
        EXPECT_EQ(List().SaveIcon(index, false, folder.File("none.png").c_str(), false, kSaveAsPng),
                  0);
    }
    for (const char* name : {"none.png", "none.cur"})
        EXPECT_EQ(GetFileAttributesA(folder.File(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
}

TEST_F(IconPanes, CursorsAreSavedInTheirOwnFormatsAndTheirImagesAsPng) {
    ResourceTree tree;
    const std::vector<Bytes> stored =
        AddCursorGroup(tree, 5, 0x409, {16, 32}, {{1, 2}, {7, 8}}, 10);
    const std::string dll = WriteImage("pointers.dll", tree);
    const std::string cur = folder.Write("two.cur", MakeCurFile({16, 32}, {{1, 2}, {5, 5}}));
    const std::string ani = folder.Write("busy.ani", BuildAni(SequencedAni()));
    ASSERT_EQ(ListIconGroups(dll.c_str(), &List()), 1);
    ASSERT_EQ(List().AddCursorFile(cur.c_str()), 1);
    ASSERT_EQ(List().AddAnimatedCursorFile(ani.c_str()), 1);

    // A group cursor is written as a .cur file of its images, each with its hot spot.
    const std::string group = folder.File("group.cur");
    ASSERT_EQ(List().SaveIcon(0, false, group.c_str(), false, kSaveAsIco), 1);
    const auto saved = ReadCurFileImages(group.c_str());
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->Count(), 2);
    EXPECT_EQ(saved->entries[1].wPlanes, 7);
    EXPECT_EQ(saved->entries[1].wBitCount, 8);
    // The image after its hot spot: its header's size, sides, planes and depth, and its bits
    // (the writer clears the header's size and resolution fields of cursor images).
    for (std::size_t i = 0; i < 2; ++i) {
        const Bytes image = Tail(stored[i], 4), written = saved->entries[i].image;
        ASSERT_EQ(written.size(), image.size());
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 16, written.begin()));
        EXPECT_TRUE(std::equal(image.begin() + 40, image.end(), written.begin() + 40));
    }

    // Cursor files are copied byte for byte.
    ASSERT_EQ(List().SaveIcon(1, false, folder.File("copy.cur").c_str(), false, kSaveAsIco), 1);
    EXPECT_EQ(ReadFileBytes(folder.File("copy.cur")), ReadFileBytes(cur));
    ASSERT_EQ(List().SaveIcon(2, false, folder.File("copy.ani").c_str(), false, kSaveAsIco), 1);
    EXPECT_EQ(ReadFileBytes(folder.File("copy.ani")), ReadFileBytes(ani));

    // PNG: the largest image; from the sub-icon view, each step's frame.
    ASSERT_EQ(List().SaveIcon(0, false, folder.File("group.png").c_str(), false, kSaveAsPng), 1);
    const auto largest = DecodePng(ReadFileBytes(folder.File("group.png")));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->width, 32);
    ClickItem(2);
    subIcons->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    std::vector<CString> written;
    ASSERT_TRUE(subIcons->SaveSelectedAsPng(folder.File("frames.png").c_str(), &written));
    ASSERT_EQ(written.size(), 4u);
    for (const CString& path : written) {
        const auto frame = DecodePng(ReadFileBytes(path.GetString()));
        ASSERT_TRUE(frame) << path.GetString();
        EXPECT_EQ(frame->width, 32);
    }
    // The steps' frames as one .cur file keep their hot spots.
    ASSERT_TRUE(subIcons->SaveSelectedAsIco(folder.File("steps.cur").c_str()));
    const auto steps = ReadCurFileImages(folder.File("steps.cur").c_str());
    ASSERT_NE(steps, nullptr);
    std::vector<int> hotSpots;
    for (const IconSetEntry& entry : steps->entries)
        hotSpots.push_back(entry.wPlanes);
    EXPECT_EQ(hotSpots, (std::vector<int>{3, 1, 2, 1}));
    // A caret row's bitmap.
    EXPECT_EQ(subIcons->SaveCurrentAsBmp(folder.File("step.bmp").c_str()), 1);
}

TEST_F(IconPanes, OnlyCursorFilesHaveALocationAndGroupCursorsGreyTheCommand) {
    ResourceTree tree;
    AddCursorGroup(tree, 5, 0x409, {32}, {{3, 4}}, 10);
    const std::string dll = WriteImage("pointers.dll", tree);
    const std::string ani = folder.Write("busy.ani", BuildAni(SequencedAni()));
    ASSERT_EQ(ListIconGroups(dll.c_str(), &List()), 1);
    ASSERT_EQ(List().AddAnimatedCursorFile(ani.c_str()), 1);

    ClickItem(0);
    EXPECT_FALSE(Enabled(iconList, ID_COPY_ICON_LOCATION));
    EXPECT_FALSE(Enabled(subIcons, ID_COPY_ICON_LOCATION));
    EXPECT_EQ(CopiedLocation(iconList), "before") << "nothing is copied";
    ClickItem(1);
    EXPECT_TRUE(Enabled(iconList, ID_COPY_ICON_LOCATION));
    EXPECT_TRUE(Enabled(subIcons, ID_COPY_ICON_LOCATION));
    EXPECT_EQ(CopiedLocation(iconList), ani);
    EXPECT_EQ(CopiedLocation(subIcons), ani);
}
