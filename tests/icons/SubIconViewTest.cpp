// The sub-icon view: rows of group icons and .ico files, saving selected rows as .ico and the
// caret row as .bmp, copying, its commands and context menu.
#include "IconPanes.h"

#include "engine/IconGroups.h"
#include "engine/IconImageSet.h"
#include "engine/IconItem.h"

#include <windows.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {
// Keeps the system's window colour changed for one test, so it differs from white.
class WindowColour {
public:
    explicit WindowColour(COLORREF colour) : m_old(GetSysColor(COLOR_WINDOW)) {
        INT element = COLOR_WINDOW;
        SetSysColors(1, &element, &colour);
    }
    ~WindowColour() {
        INT element = COLOR_WINDOW;
        SetSysColors(1, &element, &m_old);
    }

private:
    COLORREF m_old;
};

std::uint32_t FileU32(const Bytes& file, std::size_t at) {
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
           static_cast<std::uint32_t>(file[at + 3]) << 24;
}
} // namespace

TEST_F(IconPanes, GroupRowsShowSizeAndDepthInDirectoryOrderWithTheirHeights) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 0);
    EXPECT_EQ(subIcons->GetCurrentIcon(), List().GetIconItem(0));
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"16x16x16", "32x32x256", "48x48x32bit"}));
    EXPECT_EQ(RowHeights(), (std::vector<int>{18, 34, 50}));
    EXPECT_EQ(Rows().GetRow(2)->width, 48);
    EXPECT_EQ(Rows().GetRow(2)->directoryIndex, 2);
    // Every refill starts empty: the same icon again lists the same three rows.
    subIcons->ShowIcon(0, List().GetIconItem(0));
    EXPECT_EQ(Rows().GetCount(), 3);
}

TEST_F(IconPanes, RowsArePaintedInTheSystemColoursOfTheMomentTheyAreDrawn) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    // The colours change after the list was made.
    const COLORREF window = RGB(200, 220, 240), highlight = RGB(120, 10, 60);
    WindowColour colour(window);
    INT element = COLOR_HIGHLIGHT;
    const COLORREF oldHighlight = GetSysColor(COLOR_HIGHLIGHT);
    SetSysColors(1, &element, &highlight);
    MemoryCanvas canvas(nullptr, 200, 20);
    ASSERT_TRUE(canvas);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.itemID = 0;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hDC = canvas.DC();
    draw.rcItem = RECT{0, 0, 200, 18};
    draw.itemData = reinterpret_cast<ULONG_PTR>(Rows().GetRow(0));
    Rows().DrawItem(&draw);
    const COLORREF plain = GetPixel(canvas.DC(), 199, 0);
    draw.itemState = ODS_SELECTED;
    Rows().DrawItem(&draw);
    const COLORREF selected = GetPixel(canvas.DC(), 199, 0);
    SetSysColors(1, &element, &oldHighlight);
    EXPECT_EQ(plain, window);
    EXPECT_EQ(selected, highlight);
}

TEST_F(IconPanes, A256PixelRowIsScaledWholeIntoThePaneAndShowsItsRealSizeAndDepth) {
    ResourceTree tree;
    const Bytes small = MakeBmpImage(32, 32);
    const Bytes png = MakePngImage(256, 256); // pixel (x, y) is (x, y, x ^ y): yellow at the end
    // The directory says 0 x 0 (256) and, for the PNG, no depth at all.
    std::vector<GroupEntrySpec> entries = {EntryFor(small, 32, 32, 1), EntryFor(png, 256, 0, 2)};
    tree.Add(3, 1, 0, small);
    tree.Add(3, 2, 0, png);
    tree.Add(14, 7, 0, MakeGroup(entries));
    const std::string path = WriteImage("vista.dll", tree);
    CIconItem item(path.c_str(), 7, 0);
    subIcons->ShowIcon(0, &item);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"32x32x32bit", "256x256x32bit"}));
    ASSERT_EQ(RowHeights().size(), 2u);
    EXPECT_EQ(RowHeights()[0], 34); // small enough: drawn at its own size
    EXPECT_LE(RowHeights()[1], 255);

    // Drawn into the pane's width, the picture's far corner (its yellow pixels) is inside.
    const auto cornerShown = [&] {
        RECT client;
        Rows().GetClientRect(&client);
        const int height = Rows().GetItemHeight(1);
        MemoryCanvas canvas(nullptr, client.right, height);
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_LISTBOX;
        draw.itemID = 1;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hDC = canvas.DC();
        draw.rcItem = RECT{0, 0, client.right, height};
        draw.itemData = reinterpret_cast<ULONG_PTR>(Rows().GetRow(1));
        Rows().DrawItem(&draw);
        for (int y = height * 2 / 3; y < height; ++y)
            for (int x = client.right * 2 / 3; x < client.right; ++x) {
                const COLORREF pixel = GetPixel(canvas.DC(), x, y);
                if (GetRValue(pixel) > 200 && GetGValue(pixel) > 200 && GetBValue(pixel) < 60)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(cornerShown());
    const int wideHeight = Rows().GetItemHeight(1);
    // A narrower pane measures the row again and still shows it whole.
    subIcons->MoveWindow(400, 0, 130, 400);
    EXPECT_LT(Rows().GetItemHeight(1), wideHeight);
    EXPECT_TRUE(cornerShown());
    EXPECT_EQ(RowHeights()[0], 34);
    subIcons->RemoveAll();
}

TEST_F(IconPanes, GroupImagesComeFromAnyLanguageAndAMissingOneEndsTheRows) {
    ResourceTree tree;
    const Bytes a = MakeBmpImage(16, 8), b = MakeBmpImage(32, 8), c = MakeBmpImage(48, 8);
    tree.Add(3, 1, 0x409, a);
    tree.Add(3, 2, 0x407, b); // stored under another language only
    tree.Add(3, 4, 0x409, c);
    tree.Add(14, 1, 0x409,
             MakeGroup({EntryFor(a, 16, 8, 1), EntryFor(b, 32, 8, 2), EntryFor(c, 48, 8, 3),
                        EntryFor(c, 48, 8, 4)}));
    // A cursor group (type 2) lists nothing.
    tree.Add(14, 2, 0x409, MakeGroup({EntryFor(a, 16, 8, 1)}, 0, 2));
    const std::string path = WriteImage("languages.dll", tree);

    CIconItem group(path.c_str(), 1, 0x409);
    subIcons->ShowIcon(3, &group);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"16x16x256", "32x32x256"}));
    CIconItem cursor(path.c_str(), 2, 0x409);
    subIcons->ShowIcon(3, &cursor);
    EXPECT_EQ(Rows().GetCount(), 0);
    CIconItem notThere("C:\\no such file.dll", 1, 0x409);
    subIcons->ShowIcon(3, &notThere);
    EXPECT_EQ(Rows().GetCount(), 0);
    subIcons->RemoveAll();
    EXPECT_EQ(subIcons->GetCurrentIndex(), -1);
    EXPECT_EQ(subIcons->GetCurrentIcon(), nullptr);
}

TEST_F(IconPanes, IcoRowsTakeAMissingDepthFromTheImageAndStopAtAnImagePastTheEnd) {
    const Bytes image24 = MakeBmpImage(32, 24), image4 = MakeBmpImage(16, 4);
    Bytes ico =
        MakeIcoFile({EntryFor(image24, 32, 0, 0), EntryFor(image4, 16, 4, 0)}, {image24, image4});
    const std::string good = folder.Write("depth.ico", ico);
    CIconItem item(good.c_str());
    subIcons->ShowIcon(0, &item);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"32x32x24bit", "16x16x16"}));

    ico.resize(ico.size() - 1); // the second image now ends one byte past the end
    const std::string cut = folder.Write("cut.ico", ico);
    CIconItem cutItem(cut.c_str());
    subIcons->ShowIcon(0, &cutItem);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"32x32x24bit"}));

    const std::string tiny = folder.Write("tiny.ico", Bytes{0, 0, 1, 0, 1});
    CIconItem tinyItem(tiny.c_str());
    subIcons->ShowIcon(0, &tinyItem);
    EXPECT_EQ(Rows().GetCount(), 0);
    subIcons->RemoveAll();
}

TEST_F(IconPanes, OneImageNamedThousandsOfTimesListsABoundedNumberOfRows) {
    const Bytes png = MakePngImage(256, 256);
    const int count = 3000;
    Bytes ico = MakeIcoFile({EntryFor(png, 256, 32, 0)}, {png});
    // Rewrite the directory: every entry points at the one image after it.
    Bytes hostile(6 + 16 * count);
    hostile[2] = 1;
    hostile[4] = static_cast<std::uint8_t>(count);
    hostile[5] = static_cast<std::uint8_t>(count >> 8);
    for (int i = 0; i < count; ++i) {
        std::copy(ico.begin() + 6, ico.begin() + 18, hostile.begin() + 6 + 16 * i);
        const std::uint32_t offset = static_cast<std::uint32_t>(hostile.size());
        for (int k = 0; k < 4; ++k)
            hostile[6 + 16 * i + 12 + k] = static_cast<std::uint8_t>(offset >> (8 * k));
    }
    hostile.insert(hostile.end(), png.begin(), png.end());
    const std::string path = folder.Write("hostile.ico", hostile);
    CIconItem item(path.c_str());
    subIcons->ShowIcon(0, &item);
    EXPECT_GT(Rows().GetCount(), 100);
    EXPECT_LT(Rows().GetCount(), count);
    subIcons->RemoveAll();
}

TEST_F(IconPanes, SavingSelectedRowsWritesExactlyThoseImagesInRowOrder) {
    ResourceTree tree;
    const Bytes a = MakeBmpImage(16, 8), broken(64, 0xFF), c = MakeBmpImage(48, 32);
    tree.Add(3, 1, 0, a);
    tree.Add(3, 2, 0, broken); // no icon may be built from it: a damaged row
    tree.Add(3, 3, 0, c);
    tree.Add(3, 4, 0, MakeBmpImage(32, 4));
    tree.Add(14, 1, 0,
             MakeGroup({EntryFor(a, 16, 8, 1), GroupEntrySpec{24, 24, 0, 1, 8, 64, 2},
                        EntryFor(c, 48, 32, 3), EntryFor(MakeBmpImage(32, 4), 32, 4, 4)}));
    const std::string path = WriteImage("gap.dll", tree);
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0), 1);
    ClickItem(0);
    ASSERT_EQ(RowLabels(), (std::vector<std::string>{"16x16x256", "24x24x256 (damaged)",
                                                     "48x48x32bit", "32x32x16"}));
    EXPECT_FALSE(Rows().GetRow(1)->icon);

    // Nothing selected saves nothing.
    const std::string target = folder.File("two.ico");
    EXPECT_FALSE(subIcons->SaveSelectedAsIco(target.c_str()));
    EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    Rows().SetSel(0);
    Rows().SetSel(3);
    {
        SaveDialogAnswer answer(target, false);
        subIcons->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_EQ(answer.dialogs, 1);
        EXPECT_EQ(answer.proposed, "gap.dll#1_" + std::to_string(Rows().GetCaretRow()));
    }
    auto saved = ReadIcoFileImages(target.c_str());
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->Count(), 2);
    EXPECT_EQ(saved->entries[0].bWidth, 16);
    EXPECT_EQ(saved->entries[1].bWidth, 32);
    EXPECT_EQ(saved->entries[1].wBitCount, 4);

    // Rows 2, 1 and 0 selected in that order come out in row order; the damaged image is
    // written as stored (only the system's builder is kept from it).
    Rows().SetSel(-1, FALSE);
    Rows().SetSel(2);
    Rows().SetSel(1);
    Rows().SetSel(0);
    const std::string again = folder.File("again.ico");
    EXPECT_TRUE(subIcons->SaveSelectedAsIco(again.c_str()));
    saved = ReadIcoFileImages(again.c_str());
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->Count(), 3);
    EXPECT_EQ(saved->entries[0].bWidth, 16);
    EXPECT_EQ(saved->entries[1].bWidth, 24);
    EXPECT_EQ(saved->entries[1].dwBytesInRes, 64u);
    EXPECT_EQ(saved->entries[2].bWidth, 48);

    // A damaged caret row is neither copied nor saved as a bitmap.
    Rows().SetCaretIndex(1);
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    subIcons->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_FALSE(subIcons->SaveCurrentAsBmp(folder.File("damaged.bmp").c_str()));
    EXPECT_EQ(GetFileAttributesA(folder.File("damaged.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(IconPanes, SavingAsBitmapWritesTheCaretRowOnTheWindowColour) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    Rows().SelectAll();
    Rows().SetCaretIndex(1);
    const COLORREF window = RGB(200, 220, 240);
    WindowColour colour(window);
    const std::string target = folder.File("caret.ico"); // the filter decides, not the name
    {
        SaveDialogAnswer answer(target, true);
        subIcons->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_EQ(answer.proposed, "three.dll#1_1");
    }
    const Bytes file = ReadFileBytes(target);
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(FileU32(file, 18), 32u); // the caret row's width, not 16 or 48
    EXPECT_EQ(FileU32(file, 22), 32u);
    // The transparent quarter (top left, so the last rows of the bottom-up file) shows the
    // window colour.
    const std::uint32_t bits = FileU32(file, 10);
    const std::uint32_t rowBytes = (file.size() - bits) / 32;
    const std::size_t topLeft = bits + rowBytes * 31;
    ASSERT_TRUE(file[28] == 32 || file[28] == 24);
    EXPECT_EQ(RGB(file[topLeft + 2], file[topLeft + 1], file[topLeft]), window);
}

TEST_F(IconPanes, CopyPutsTheCaretRowOnWhiteEvenWhenAnotherRowIsSelected) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    WindowColour colour(RGB(200, 220, 240));
    Rows().SetSel(2);
    Rows().SetCaretIndex(0);
    ASSERT_EQ(Rows().GetSel(0), 0);
    subIcons->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    const Picture copied = ClipboardPicture();
    ASSERT_EQ(copied.width, 16);
    ASSERT_EQ(copied.height, 16);
    EXPECT_EQ(copied.At(1, 1), RGB(255, 255, 255)); // transparent: the white background
    int painted = 0;
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            painted += copied.At(x, y) != RGB(255, 255, 255);
    EXPECT_GT(painted, 0);
    EXPECT_EQ(subIcons->CopyRowToClipboard(-1), 0);
}

TEST_F(IconPanes, SubIconCommandsAndMenuFollowRowsAndSelection) {
    // Copy Icon Location follows the icon shown, which the list has as soon as it has rows.
    const auto expectMenu = [&](bool copy, bool selectAll, bool save) {
        EXPECT_EQ(Enabled(subIcons, ID_EDIT_COPY), copy);
        EXPECT_EQ(Enabled(subIcons, ID_EDIT_SELECT_ALL), selectAll);
        EXPECT_EQ(Enabled(subIcons, ID_SAVE_ICON_AS), save);
        EXPECT_EQ(ContextMenu(subIcons),
                  (std::vector<std::pair<UINT, bool>>{{ID_EDIT_COPY, copy},
                                                      {ID_EDIT_SELECT_ALL, selectAll},
                                                      {ID_SAVE_ICON_AS, save},
                                                      {ID_COPY_ICON_LOCATION, selectAll}}));
    };
    expectMenu(false, false, false);
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    expectMenu(false, true, false);
    // Disabled commands do nothing.
    ui::DialogAnswerer cancel(IDCANCEL);
    subIcons->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
    EXPECT_TRUE(cancel.Seen().empty());

    subIcons->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Rows().GetSelCount(), 3);
    expectMenu(true, true, true);
    // Choosing from the menu reaches the view: Select All from a partial selection.
    Rows().SetSel(1, FALSE);
    subIcons->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Rows().GetSelCount(), 3);
}

TEST_F(IconPanes, ProposedNamesOfImagesCarryTheSourceAndTheCaretRow) {
    ResourceTree tree;
    AddIconGroup(tree, u"MAINICON", 0, {MakeBmpImage(16, 8), MakeBmpImage(32, 8)}, {16, 32}, {8, 8},
                 1);
    const std::string app = WriteImage("app.exe", tree);
    CIconItem named(app.c_str(), "MAINICON", 0);
    subIcons->ShowIcon(0, &named);
    EXPECT_EQ(subIcons->MakeSaveName(), "app.exe#MAINICON_0");

    CreateDirectoryA(folder.File("y.z").c_str(), nullptr);
    const Bytes image = MakeBmpImage(16, 8);
    const std::string ico = folder.Write(
        "y.z\\icon.ico",
        MakeIcoFile({EntryFor(image, 16, 8, 0), EntryFor(image, 16, 8, 0)}, {image, image}));
    CIconItem file(ico.c_str());
    subIcons->ShowIcon(0, &file);
    Rows().SetCaretIndex(1);
    EXPECT_EQ(subIcons->MakeSaveName(), "icon_1");
    subIcons->RemoveAll();
    EXPECT_EQ(subIcons->MakeSaveName(), "");
}

TEST_F(IconPanes, APngOfMillionsOfPixelsIsNeverDecoded) {
    // A few bytes of PNG can promise gigabytes of pixels, which the system would decode in full
    // before scaling: images above a million pixels get a damaged row; 512 x 512 is still shown.
    const Bytes small = MakeBmpImage(32, 32);
    const Bytes large = MakePngImage(512, 512);
    const Bytes huge = MakePngImage(1100, 1000);
    const std::string path = folder.Write(
        "huge.ico", MakeIcoFile({EntryFor(small, 32, 32, 0), EntryFor(large, 256, 32, 0),
                                 EntryFor(huge, 256, 32, 0)},
                                {small, large, huge}));
    ASSERT_EQ(List().AddIconFile(path.c_str()), 1);
    ClickItem(0);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"32x32x32bit", "256x256x32bit",
                                                     "256x256x32bit (damaged)"}));
    const std::vector<int> heights = RowHeights();
    ASSERT_EQ(heights.size(), 3u);
    EXPECT_EQ(heights[0], 34);
    EXPECT_LE(heights[1], 255); // shown, scaled to the pane
    EXPECT_EQ(heights[2], GetSystemMetrics(SM_CXSMICON) + 2);
    EXPECT_EQ(List().GetPicture(0), CIconItem::kImageFailed);
    EXPECT_EQ(List().SaveIcon(0, false, folder.File("huge.bmp").c_str(), false, 1), 0);

    // The same in group icons: the display icon of a group that holds one is refused too.
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {small, large}, {32, 256}, {32, 32}, 1);
    AddIconGroup(tree, 2, 0, {small, huge}, {32, 256}, {32, 32}, 3);
    const std::string dll = WriteImage("huge.dll", tree);
    ASSERT_EQ(ListIconGroups(dll.c_str(), &List()), 2);
    EXPECT_GE(List().GetPicture(1), 0);
    EXPECT_EQ(List().GetPicture(2), CIconItem::kImageFailed);
    ClickItem(2);
    EXPECT_EQ(RowLabels(), (std::vector<std::string>{"32x32x32bit", "256x256x32bit (damaged)"}));
}
