// The icon list: items and labels from the engine's listing, pictures made on demand and placed
// in their cells, focus, saving one icon, Copy, Select All, the context menu and emptying.
#include "IconPanes.h"

#include "IconDrawing.h"
#include "engine/IconGroups.h"
#include "engine/IconImageSet.h"
#include "engine/IconItem.h"

using namespace quarvel;
using namespace quarvel::test;

namespace {
std::vector<std::string> ItemTexts(CIconListCtrl& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts.push_back(list.GetItemText(i, 0).GetString());
    return texts;
}

// What the window shows in its client area.
Picture CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const ScopedWindowDC dc(window);
    MemoryCanvas canvas(dc.Get(), client.right, client.bottom);
    BitBlt(canvas.DC(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    const ScopedBitmap bitmap = canvas.TakeBitmap();
    return Picture::Of(bitmap.Get());
}

// What the control draws of its client area by itself, asked to print it (not a paint).
Picture PrintClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    MemoryCanvas canvas(nullptr, client.right, client.bottom);
    SendMessage(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()),
                PRF_ERASEBKGND | PRF_CLIENT);
    const ScopedBitmap bitmap = canvas.TakeBitmap();
    return Picture::Of(bitmap.Get());
}

// Whether the picture appears whole, pixel for pixel, somewhere within the area of a capture.
bool ShowsPicture(const Picture& capture, const Picture& picture, const RECT& area) {
    for (int top = area.top; top + picture.height <= area.bottom; ++top)
        for (int left = area.left; left + picture.width <= area.right; ++left) {
            bool same = true;
            for (int y = 0; same && y < picture.height; ++y)
                for (int x = 0; same && x < picture.width; ++x)
                    same = capture.At(left + x, top + y) == picture.At(x, y);
            if (same)
                return true;
        }
    return false;
}
} // namespace

TEST_F(IconPanes, ItemsAreLabelledByGroupAndFileInListedOrder) {
    ResourceTree tree;
    for (int id : {1, 3})
        for (std::uint16_t language : {0x407, 0x409})
            AddIconGroup(tree, id, language, {MakeBmpImage(32, 8)}, {32}, {8},
                         static_cast<std::uint16_t>(10 * id + (language & 0xF)));
    const std::string groups = WriteImage("groups.dll", tree);
    ResourceTree named;
    AddIconGroup(named, u"MAINICON", 0, {MakeBmpImage(32, 8)}, {32}, {8}, 1);
    const std::string app = WriteImage("app.exe", named);
    const Bytes image = MakeBmpImage(32, 8);
    const std::string tools =
        folder.Write("tools.ico", MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image}));

    EXPECT_EQ(ListIconGroups(groups.c_str(), &List()), 4);
    EXPECT_EQ(ListIconGroups(app.c_str(), &List()), 1);
    EXPECT_EQ(ListIconGroups(tools.c_str(), &List()), 1);
    EXPECT_EQ(ItemTexts(List()),
              (std::vector<std::string>{"1\r\ngroups.dll", "1\r\ngroups.dll", "3\r\ngroups.dll",
                                        "3\r\ngroups.dll", "MAINICON\r\napp.exe", "tools.ico"}));
    EXPECT_EQ(List().GetIconItem(1)->GetLanguage(), 0x409);
    EXPECT_EQ(List().GetIconItem(5)->GetKind(), CIconItem::IconFile);
    EXPECT_EQ(List().OwnedItemCount(), 6);
    // Nothing is added for an empty path or a missing name.
    EXPECT_EQ(List().AddIconFile(""), 0);
    EXPECT_EQ(List().AddGroupIcon(nullptr, 1, 0), 0);
    EXPECT_EQ(List().AddGroupIcon(app.c_str(), ResKey(), 0), 0);
    EXPECT_EQ(List().GetItemCount(), 6);

    // Proposed names: for the batch save with an extension, for the save dialog without.
    EXPECT_EQ(List().DefaultFileName(4, ".ico"), "app.exe#MAINICON.ico");
    EXPECT_EQ(List().DefaultFileName(0, ".ico"), "groups.dll#1.ico");
    EXPECT_EQ(List().DefaultFileName(5, ".bmp"), "tools.bmp");
    EXPECT_EQ(List().DefaultFileName(6, ".ico"), "");
    EXPECT_EQ(List().DefaultFileName(-1, ".ico"), "");
    SaveDialogAnswer cancel("", false);
    EXPECT_EQ(List().SaveIcon(4, true, nullptr, false, 0), 0);
    EXPECT_EQ(cancel.proposed, "app.exe#MAINICON");
}

TEST_F(IconPanes, PicturesAreScaledDownOrCentredInTheirCells) {
    const std::string large = WriteGroupImage("large.dll", {48}, {32});
    const std::string small = WriteGroupImage("small.dll", {16}, {4});
    ASSERT_EQ(ListIconGroups(large.c_str(), &List()), 1);
    ASSERT_EQ(ListIconGroups(small.c_str(), &List()), 1);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(List().GetPictures(), &cx, &cy);
    ASSERT_EQ(cx, 32);
    ASSERT_EQ(cy, 32);

    // 48 pixels drawn at 32 from the cell's corner: its transparent top-left quarter becomes
    // the cell's top-left quarter, the painted rest fills the other three.
    const Picture scaled = Picture::Of(List().GetPictures(), List().GetPicture(0));
    ASSERT_EQ(scaled.width, 32);
    EXPECT_EQ(Painted(scaled, 1, 1, 15, 15), 0);
    EXPECT_GT(Painted(scaled, 17, 17, 31, 31), 0);
    EXPECT_GT(Painted(scaled, 17, 1, 31, 15), 0);

    // 16 pixels drawn unscaled from (8, 8): nothing outside that square.
    const Picture centred = Picture::Of(List().GetPictures(), List().GetPicture(1));
    EXPECT_EQ(Painted(centred, 0, 0, 32, 8), 0);
    EXPECT_EQ(Painted(centred, 0, 24, 32, 32), 0);
    EXPECT_EQ(Painted(centred, 0, 0, 8, 32), 0);
    EXPECT_EQ(Painted(centred, 24, 0, 32, 32), 0);
    EXPECT_EQ(Painted(centred, 8, 8, 16, 16), 0); // the icon's transparent quarter
    EXPECT_GT(Painted(centred, 16, 16, 24, 24), 0);

    EXPECT_EQ(PlaceInCell(64, 32, 16).width, 16); // the larger ratio decides
    EXPECT_EQ(PlaceInCell(64, 32, 16).left, 8);
    EXPECT_EQ(PlaceInCell(0, 32, 32).width, 0); // its own size, at the corner
}

TEST_F(IconPanes, PicturesAreMadeOnlyForItemsDrawnAndFailuresAreNotRetried) {
    const std::string path = WriteGroupImage("many.dll", {32}, {8});
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ASSERT_EQ(List().AddIconFile("C:\\no such icon.ico"), 1);
    for (int i = 0; i <= 300; ++i)
        ASSERT_EQ(List().GetIconItem(i)->GetImageIndex(), CIconItem::kImageNotMade) << i;

    host.wnd.ShowWindow(SW_SHOW);
    host.wnd.UpdateWindow();
    ui::PumpPending();
    EXPECT_GE(List().GetIconItem(0)->GetImageIndex(), 0);
    int made = 0;
    for (int i = 0; i < 300; ++i)
        made += List().GetIconItem(i)->GetImageIndex() >= 0;
    EXPECT_GT(made, 0);
    EXPECT_LT(made, 100); // one screen of a 400 x 400 pane
    EXPECT_EQ(List().PictureCount(), made);
    EXPECT_EQ(List().GetIconItem(299)->GetImageIndex(), CIconItem::kImageNotMade);

    // A picture that fails stays failed, and takes no place in the picture list.
    EXPECT_EQ(List().GetPicture(300), CIconItem::kImageFailed);
    EXPECT_EQ(List().GetPicture(300), CIconItem::kImageFailed);
    EXPECT_EQ(List().PictureCount(), made);
    const int first = List().GetPicture(0);
    EXPECT_EQ(List().GetPicture(0), first);
}

TEST_F(IconPanes, TheWindowShowsEachPictureInItsItemsPlaceAlsoWhenOnlyPartIsRepainted) {
    const std::string small = WriteGroupImage("small.dll", {16}, {4});
    const std::string large = WriteGroupImage("large.dll", {48}, {32});
    for (int i = 0; i < 12; ++i)
        ASSERT_EQ(List().AddGroupIcon(i % 2 ? large.c_str() : small.c_str(), 1, 0x409), 1);
    host.wnd.ShowWindow(SW_SHOW);
    host.wnd.UpdateWindow();
    ui::PumpPending();
    const Picture shown = CaptureClient(List());
    for (int i : {0, 1, 11}) {
        RECT icon;
        ASSERT_TRUE(List().GetItemRect(i, &icon, LVIR_ICON));
        EXPECT_TRUE(
            ShowsPicture(shown, Picture::Of(List().GetPictures(), List().GetPicture(i)), icon))
            << i;
    }

    // Only the last item's place is repainted, away from the window's corner: its picture and
    // background land there, and the rest of the window is left as it was.
    RECT bounds, icon;
    ASSERT_TRUE(List().GetItemRect(11, &bounds, LVIR_BOUNDS));
    ASSERT_TRUE(List().GetItemRect(11, &icon, LVIR_ICON));
    ASSERT_GT(bounds.left + bounds.top, 0);
    {
        const ScopedWindowDC dc(List());
        RECT client;
        List().GetClientRect(&client);
        FillRect(dc.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    List().InvalidateRect(&bounds, TRUE);
    List().UpdateWindow();
    const Picture repainted = CaptureClient(List());
    EXPECT_TRUE(
        ShowsPicture(repainted, Picture::Of(List().GetPictures(), List().GetPicture(11)), icon));
    EXPECT_EQ(repainted.At(bounds.left, bounds.top), GetSysColor(COLOR_WINDOW) & 0xFFFFFF);
    EXPECT_EQ(repainted.At(0, 0), 0u);
}

TEST_F(IconPanes, APaintLooksAsTheControlDrawsItselfAndMakesEachPictureOnce) {
    // The paint goes through a buffer of its own; printed, the control draws straight onto the
    // device context it is given. Both must look the same, plain and selected.
    const std::string small = WriteGroupImage("small.dll", {16}, {4});
    const std::string large = WriteGroupImage("large.dll", {48}, {32});
    for (int i = 0; i < 12; ++i)
        ASSERT_EQ(List().AddGroupIcon(i % 2 ? large.c_str() : small.c_str(), 1, 0x409), 1);
    for (int size : {32, 256}) {
        List().SetIconSize(size);
        host.wnd.ShowWindow(SW_SHOW);
        List().SetFocus();
        List().SetItemState(-1, 0, LVIS_SELECTED);
        List().Invalidate();
        List().UpdateWindow();
        ui::PumpPending();
        const Picture painted = CaptureClient(List());
        EXPECT_EQ(painted.pixels, PrintClient(List()).pixels) << size;
        // Each picture on the screen was made once: painting it again makes none.
        const int made = List().PictureCount();
        ASSERT_GT(made, 0);
        std::vector<int> slots;
        for (int i = 0; i < 12; ++i)
            slots.push_back(List().GetIconItem(i)->GetImageIndex());
        List().Invalidate();
        List().UpdateWindow();
        EXPECT_EQ(List().PictureCount(), made) << size;
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(List().GetIconItem(i)->GetImageIndex(), slots[i]) << size << " " << i;

        // A selected cell in the focused list shows the control's look of a selected picture.
        ClickItem(0);
        List().UpdateWindow();
        const Picture selected = CaptureClient(List());
        EXPECT_EQ(selected.pixels, PrintClient(List()).pixels) << size;
        RECT icon;
        ASSERT_TRUE(List().GetItemRect(0, &icon, LVIR_ICON));
        const int middle = (icon.left + icon.right) / 2;
        const int below = icon.top + List().GetCellSide() / 2;
        ASSERT_LT(below, selected.height);
        EXPECT_NE(selected.At(middle, below), painted.At(middle, below)) << size;
    }
}

TEST_F(IconPanes, PicturesShareOpenFilesOnlyUntilTheMessageLoopIsIdle) {
    const std::string small = WriteGroupImage("small.dll", {16}, {4});
    const std::string large = WriteGroupImage("large.dll", {48}, {32});
    // Past the picture list's first room (within its bound): it grows while pictures are made.
    ASSERT_GE(List().PictureBound(), 60);
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(List().AddGroupIcon(i % 2 ? large.c_str() : small.c_str(), 1, 0x409), 1);
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(List().GetPicture(i), i);
    EXPECT_EQ(List().PictureCount(), 60);
    EXPECT_EQ(List().OpenFileCount(), 2u) << "each file opened once for the run of pictures";
    // Pictures made before the list grew are kept as they were made.
    const Picture smallPicture = Picture::Of(List().GetPictures(), 0);
    const Picture largePicture = Picture::Of(List().GetPictures(), 1);
    EXPECT_NE(smallPicture.pixels, largePicture.pixels);
    EXPECT_EQ(Picture::Of(List().GetPictures(), 58).pixels, smallPicture.pixels);
    EXPECT_EQ(Picture::Of(List().GetPictures(), 59).pixels, largePicture.pixels);

    // Once the message loop has run, no file stays open: it can be replaced, and the next
    // folder's pictures show it as it is now.
    ui::PumpPending();
    EXPECT_EQ(List().OpenFileCount(), 0u);
    const Bytes before = ReadFileBytes(large);
    WriteGroupImage("small.dll", {48}, {32});
    ASSERT_EQ(ReadFileBytes(small), before);
    iconList->RemoveAll();
    ASSERT_EQ(List().AddGroupIcon(small.c_str(), 1, 0x409), 1);
    ASSERT_EQ(List().GetPicture(0), 0);
    EXPECT_EQ(Picture::Of(List().GetPictures(), 0).pixels, largePicture.pixels);
    iconList->RemoveAll();
    EXPECT_EQ(List().OpenFileCount(), 0u) << "emptying the list closes the files too";
}

TEST_F(IconPanes, FocusShowsTheIconsImagesEachTimeItIsReported) {
    const std::string three = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    const std::string one = WriteGroupImage("one.dll", {32}, {8});
    ListIconGroups(three.c_str(), &List());
    ListIconGroups(one.c_str(), &List());
    ClickItem(1);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 1);
    EXPECT_EQ(Rows().GetCount(), 1);
    ClickItem(0);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 0);
    EXPECT_EQ(Rows().GetCount(), 3);
    // Selecting a row of the image list, then the same icon reported again, lists it afresh.
    Rows().SetSel(2);
    List().SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED | LVIS_SELECTED);
    EXPECT_EQ(Rows().GetCount(), 3);
    EXPECT_EQ(Rows().GetSelCount(), 0);
    // Selection without focus does not change the image list.
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 0);
}

TEST_F(IconPanes, RemoveAllEmptiesBothPanesAndFreesEveryItem) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    for (int i = 0; i < 5; ++i)
        ListIconGroups(path.c_str(), &List());
    List().GetPicture(0);
    ClickItem(0);
    ASSERT_EQ(Rows().GetCount(), 3);
    HIMAGELIST before = List().GetPictures();

    iconList->RemoveAll();
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(List().OwnedItemCount(), 0);
    EXPECT_EQ(Rows().GetCount(), 0);
    EXPECT_EQ(subIcons->GetCurrentIcon(), nullptr);
    EXPECT_EQ(List().PictureCount(), 0);
    EXPECT_EQ(List().GetImageList(LVSIL_NORMAL), List().GetPictures());
    EXPECT_NE(List().GetPictures(), before);
    // The new list serves new items.
    ListIconGroups(path.c_str(), &List());
    EXPECT_EQ(List().GetPicture(0), 0);

    // A list that goes with its window frees its items too.
    auto* alone = new CIconListCtrl;
    ASSERT_TRUE(alone->Create(WS_CHILD | LVS_ICON | LVS_SHAREIMAGELISTS, RECT{0, 0, 100, 100},
                              &host.wnd, 77));
    alone->AddGroupIcon(path.c_str(), 1, 0x409);
    alone->AddIconFile("C:\\x.ico");
    ASSERT_EQ(alone->OwnedItemCount(), 2);
    alone->DestroyWindow();
    EXPECT_EQ(alone->OwnedItemCount(), 0);
    delete alone;
}

TEST_F(IconPanes, CopyNeedsAPictureOfTheFirstSelectedItem) {
    const std::string path = WriteGroupImage("one.dll", {16}, {4});
    ListIconGroups(path.c_str(), &List());
    List().AddIconFile("C:\\no such icon.ico");
    EXPECT_FALSE(Enabled(iconList, ID_EDIT_COPY));
    ClickItem(0);
    // A picture not made yet (or dropped from the bounded list) is made when copied.
    EXPECT_TRUE(Enabled(iconList, ID_EDIT_COPY));
    ASSERT_GE(List().GetPicture(0), 0);
    EXPECT_TRUE(Enabled(iconList, ID_EDIT_COPY));

    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    iconList->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    const Picture copied = ClipboardPicture();
    ASSERT_EQ(copied.width, 32);
    EXPECT_EQ(copied.height, 32);
    EXPECT_EQ(copied.pixels, Picture::Of(List().GetPictures(), 0).pixels);

    // The first selected item decides: one whose picture failed cannot be copied.
    List().GetPicture(1);
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    List().SetItemState(0, 0, LVIS_SELECTED);
    EXPECT_FALSE(Enabled(iconList, ID_EDIT_COPY));
}

TEST_F(IconPanes, IconListCommandsAndMenuFollowItemsSelectionAndPictures) {
    // Save follows the selection, Copy Icon Location the focus.
    const auto menu = [&](bool copy, bool selectAll, bool save) {
        return std::vector<std::pair<UINT, bool>>{{ID_EDIT_COPY, copy},
                                                  {ID_EDIT_SELECT_ALL, selectAll},
                                                  {ID_SAVE_ICON_AS, save},
                                                  {ID_COPY_ICON_LOCATION, save}};
    };
    EXPECT_FALSE(Enabled(iconList, ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(Enabled(iconList, ID_SAVE_ICON_AS));
    EXPECT_EQ(ContextMenu(iconList), menu(false, false, false));

    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    for (int i = 0; i < 4; ++i)
        ListIconGroups(path.c_str(), &List());
    EXPECT_TRUE(Enabled(iconList, ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(Enabled(iconList, ID_SAVE_ICON_AS));
    EXPECT_EQ(ContextMenu(iconList), menu(false, true, false));

    List().SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    iconList->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    EXPECT_EQ(List().GetSelectedCount(), 4u);
    EXPECT_EQ(List().GetItemState(2, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
    EXPECT_TRUE(Enabled(iconList, ID_SAVE_ICON_AS));
    List().GetPicture(0);
    EXPECT_EQ(ContextMenu(iconList), menu(true, true, true));
}

TEST_F(IconPanes, SavingOneIconWritesItsFormatAndNeverReportsAFailureAsSuccess) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    const Bytes image = MakeBmpImage(32, 8);
    const Bytes icoBytes = MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image});
    const std::string tools = folder.Write("tools.ico", icoBytes);
    ListIconGroups(path.c_str(), &List());
    ListIconGroups(tools.c_str(), &List());

    // An .ico item is copied byte for byte; an existing file is kept unless overwriting.
    const std::string copy = folder.File("copy.ico");
    EXPECT_EQ(List().SaveIcon(1, false, copy.c_str(), false, 0), 1);
    EXPECT_EQ(ReadFileBytes(copy), icoBytes);
    const std::string group = folder.File("group.ico");
    EXPECT_EQ(List().SaveIcon(0, false, group.c_str(), false, 0), 1);
    const auto saved = ReadIcoFileImages(group.c_str());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Count(), 3);
    EXPECT_EQ(List().SaveIcon(0, false, copy.c_str(), false, 0), 0);
    EXPECT_EQ(ReadFileBytes(copy), icoBytes);
    EXPECT_EQ(List().SaveIcon(1, false, copy.c_str(), false, 1), 0);
    EXPECT_EQ(ReadFileBytes(copy), icoBytes);

    // A bitmap whose file cannot be written fails.
    EXPECT_EQ(List().SaveIcon(0, false, folder.File("no folder\\x.bmp").c_str(), true, 1), 0);
    EXPECT_EQ(List().SaveIcon(7, false, copy.c_str(), true, 1), 0);

    // Through the dialog: the "BITMAP files" filter writes a bitmap whatever the name says.
    const std::string chosen = folder.File("picked.ico");
    {
        SaveDialogAnswer answer(chosen, true);
        ClickItem(0);
        iconList->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_EQ(answer.dialogs, 1);
        EXPECT_EQ(answer.proposed, "three.dll#1");
    }
    const Bytes written = ReadFileBytes(chosen);
    ASSERT_GT(written.size(), 2u);
    EXPECT_EQ(written[0], 'B');
    EXPECT_EQ(written[1], 'M');
}

TEST_F(IconPanes, ASaveTheUserAskedForThatFailsSaysSoInBothPanes) {
    const std::string path = WriteGroupImage("gone.dll", {16, 32}, {4, 8});
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    Rows().SetSel(0);
    ASSERT_TRUE(DeleteFileA(path.c_str())); // the icons' file goes after they were listed

    const std::string target = folder.File("kept.ico");
    const std::string failed = "Save resource: Save [" + target + "] failed!";
    for (CView* pane : {static_cast<CView*>(iconList), static_cast<CView*>(subIcons)}) {
        SaveDialogAnswer answer(target, false);
        pane->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_EQ(answer.dialogs, 1);
        EXPECT_EQ(answer.messages, std::vector<std::string>{failed});
    }
    // A cancelled dialog is no failure.
    SaveDialogAnswer cancel("", false);
    iconList->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
    EXPECT_EQ(cancel.dialogs, 1);
    EXPECT_TRUE(cancel.messages.empty());
    EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}
