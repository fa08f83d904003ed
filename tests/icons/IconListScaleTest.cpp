// The icon list at scale: a bounded cache of pictures, least recently shown dropped first; ten
// thousand icons scrolled end to end; emptying and refilling; focus, keyboard and typing a name
// with records the control does not hold.
#include "IconPanes.h"

#include "PictureList.h"
#include "engine/IconItem.h"

#include <algorithm>

using namespace quarvel;
using namespace quarvel::test;

namespace {
// A bitmap of one colour, cx by cx.
HBITMAP Filled(int cx, COLORREF colour) {
    const ScopedWindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), cx, cx);
    HDC dc = CreateCompatibleDC(screen.Get());
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, cx, cx};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// Repaints the list now, as the screen shows it after a scroll.
void Repaint(CIconListCtrl& list) {
    list.UpdateWindow();
    ui::PumpPending();
}

// The items whose cells show in the client area.
std::vector<int> ItemsOnScreen(CIconListCtrl& list) {
    RECT client, cell, common;
    list.GetClientRect(&client);
    std::vector<int> shown;
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (list.GetItemRect(i, &cell, LVIR_ICON) && IntersectRect(&common, &cell, &client))
            shown.push_back(i);
    return shown;
}

int Focused(CIconListCtrl& list) {
    return list.GetNextItem(-1, LVNI_FOCUSED);
}
} // namespace

TEST(PictureList, KeepsTheMostRecentlyShownPicturesUpToItsBound) {
    constexpr int kSide = 8;
    CPictureList pictures;
    ASSERT_TRUE(pictures.Create(kSide, kSide, 3));
    std::vector<CIconItem> items(5, CIconItem("C:\\x.ico"));
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(9, 9, 9),
                                RGB(200, 100, 50)};
    const auto add = [&](int item) {
        HBITMAP bitmap = Filled(kSide, colours[item]);
        const int slot = pictures.Add(bitmap, items[item]);
        DeleteObject(bitmap);
        items[item].SetImageIndex(slot);
        return slot;
    };
    const auto colourOf = [&](int item) {
        return Picture::Of(pictures, items[item].GetImageIndex()).At(3, 3);
    };
    EXPECT_EQ(add(0), 0);
    EXPECT_EQ(add(1), 1);
    EXPECT_EQ(add(2), 2);
    EXPECT_EQ(pictures.GetCount(), 3);

    // Full: the least recently shown makes way, and its item knows it holds none.
    pictures.Touch(0);
    EXPECT_EQ(add(3), 1);
    EXPECT_EQ(items[1].GetImageIndex(), CIconItem::kImageNotMade);
    EXPECT_EQ(pictures.GetCount(), 3);
    EXPECT_EQ(add(4), 2);
    EXPECT_EQ(items[2].GetImageIndex(), CIconItem::kImageNotMade);
    EXPECT_EQ(colourOf(0), colours[0]);
    EXPECT_EQ(colourOf(3), colours[3]);
    EXPECT_EQ(colourOf(4), colours[4]);
    // Item 0 was shown before 3 and 4 were made: it goes next.
    EXPECT_EQ(add(1), 0);
    EXPECT_EQ(items[0].GetImageIndex(), CIconItem::kImageNotMade);
    EXPECT_EQ(colourOf(1), colours[1]);

    // A larger window raises the bound: new slots, nothing dropped. A lower one waits.
    pictures.RaiseBound(4);
    EXPECT_EQ(add(2), 3);
    EXPECT_EQ(pictures.GetCount(), 4);
    pictures.RaiseBound(2);
    EXPECT_EQ(pictures.GetBound(), 4);
    for (int item : {1, 2, 3, 4})
        EXPECT_EQ(colourOf(item), colours[item]) << item;

    // A missing picture takes no slot and drops nothing.
    CIconItem none("C:\\y.ico");
    EXPECT_EQ(pictures.Add(nullptr, none), -1);
    EXPECT_EQ(pictures.GetCount(), 4);
    EXPECT_GE(items[1].GetImageIndex(), 0);
}

TEST_F(IconPanes, ScrollingTenThousandIconsEndToEndHoldsAtMostTheBoundOfPictures) {
    const std::string small = WriteGroupImage("small.dll", {16}, {4});
    const std::string large = WriteGroupImage("large.dll", {48}, {32});
    constexpr int kIcons = 10000;
    for (int i = 0; i < kIcons; ++i)
        ASSERT_EQ(List().AddGroupIcon(i % 2 ? large.c_str() : small.c_str(), 1, 0x409), 1);
    ASSERT_EQ(List().GetItemCount(), kIcons);
    host.wnd.ShowWindow(SW_SHOW);
    Repaint(List());
    const int bound = List().PictureBound();
    EXPECT_GE(bound, CIconListCtrl::kMinPictures);
    EXPECT_LT(bound, 1000);
    ASSERT_GT(List().PictureCount(), 0);
    EXPECT_LE(List().PictureCount(), bound) << "only the cells near the screen";

    // What each item's picture must look like, by its file.
    const Picture smallPicture = Picture::Of(List().GetPictures(), List().GetPicture(0));
    const Picture largePicture = Picture::Of(List().GetPictures(), List().GetPicture(1));
    ASSERT_NE(smallPicture.pixels, largePicture.pixels);

    // Three pages a step (this Wine takes a while to paint one): every third page is drawn.
    RECT client;
    List().GetClientRect(&client);
    int steps = 0, most = 0;
    while (List().GetIconItem(kIcons - 1)->GetImageIndex() < 0 && steps < kIcons) {
        List().SendMessage(LVM_SCROLL, 0, 3 * client.bottom);
        Repaint(List());
        most = std::max(most, List().PictureCount());
        ++steps;
    }
    EXPECT_LT(steps, kIcons) << "the end of the list was never drawn";
    EXPECT_LE(most, bound);
    EXPECT_GE(most, std::min(bound, kIcons / 2)) << "the cache fills up to its bound";
    // Every item on the last screen shows its own picture; the first ones hold none.
    for (int i : ItemsOnScreen(List())) {
        const int slot = List().GetIconItem(i)->GetImageIndex();
        ASSERT_GE(slot, 0) << i;
        EXPECT_EQ(Picture::Of(List().GetPictures(), slot).pixels,
                  (i % 2 ? largePicture : smallPicture).pixels)
            << i;
    }
    EXPECT_EQ(List().GetIconItem(0)->GetImageIndex(), CIconItem::kImageNotMade);
    // Copy still works on an item whose picture was dropped: the picture is made again.
    List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(List().FirstSelectedHasPicture());
    ASSERT_TRUE(List().CopyFirstSelected());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_GE(List().GetIconItem(0)->GetImageIndex(), 0);
    List().SetItemState(0, 0, LVIS_SELECTED);
    int held = 0;
    for (int i = 0; i < kIcons; ++i)
        held += List().GetIconItem(i)->GetImageIndex() >= 0;
    EXPECT_EQ(held, List().PictureCount()) << "each slot names exactly one item";

    // Back at the top, the first items are drawn again and get their pictures again.
    List().EnsureVisible(0, FALSE);
    Repaint(List());
    const int first = List().GetIconItem(0)->GetImageIndex();
    ASSERT_GE(first, 0);
    EXPECT_EQ(Picture::Of(List().GetPictures(), first).pixels, smallPicture.pixels);
    EXPECT_LE(List().PictureCount(), bound);
}

TEST_F(IconPanes, EmptyingAListOfTenThousandLeavesNoItemSelectionFocusOrPicture) {
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    host.wnd.ShowWindow(SW_SHOW);
    Repaint(List());
    ClickItem(9000);
    iconList->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    ASSERT_EQ(List().GetSelectedCount(), 10000u);
    ASSERT_EQ(Focused(List()), 9000);
    ASSERT_GT(List().PictureCount(), 0);

    iconList->RemoveAll();
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(List().OwnedItemCount(), 0);
    EXPECT_EQ(List().GetSelectedCount(), 0u);
    EXPECT_EQ(Focused(List()), -1);
    EXPECT_EQ(List().PictureCount(), 0);
    EXPECT_EQ(subIcons->GetCurrentIcon(), nullptr);
    Repaint(List());
    EXPECT_EQ(List().PictureCount(), 0);

    // The next listing starts with nothing selected, its own labels and new pictures.
    const Bytes image = MakeBmpImage(32, 8);
    const std::string tools =
        folder.Write("tools.ico", MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image}));
    ASSERT_EQ(List().AddIconFile(tools.c_str()), 1);
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    EXPECT_EQ(List().GetItemCount(), 2);
    EXPECT_EQ(List().GetSelectedCount(), 0u);
    EXPECT_EQ(List().GetItemText(0, 0), "tools.ico");
    EXPECT_EQ(List().GetItemText(1, 0), "1\r\nthree.dll");
    EXPECT_EQ(List().GetItemText(2, 0), "");
    Repaint(List());
    EXPECT_GE(List().GetIconItem(0)->GetImageIndex(), 0);
    EXPECT_GE(List().GetIconItem(1)->GetImageIndex(), 0);
}

TEST_F(IconPanes, KeysAndTypedNamesMoveTheFocusAndTheSubIconViewFollows) {
    const Bytes image = MakeBmpImage(32, 8);
    const Bytes ico = MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image});
    for (const char* name : {"alpha.ico", "Beta.ico", "bravo.ico", "charlie.ico", "delta.ico"})
        ASSERT_EQ(List().AddIconFile(folder.Write(name, ico).c_str()), 1);
    host.wnd.ShowWindow(SW_SHOW);
    Repaint(List());
    List().SetFocus();
    ClickItem(0);

    // Typing: the first label from the next item on that begins with the letters, in any case.
    List().SendMessage(WM_CHAR, 'b', 1);
    EXPECT_EQ(Focused(List()), 1);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 1);
    List().SendMessage(WM_CHAR, 'r', 1);
    EXPECT_EQ(Focused(List()), 2);
    EXPECT_EQ(subIcons->GetCurrentIcon(), List().GetIconItem(2));
    Sleep(1200); // a new search
    List().SendMessage(WM_CHAR, 'A', 1);
    EXPECT_EQ(Focused(List()), 0) << "round from the end to the first";
    Sleep(1200);
    List().SendMessage(WM_CHAR, 'z', 1);
    EXPECT_EQ(Focused(List()), 0) << "nothing found: the focus stays";

    // Keys: the focus moves, the selection follows, Shift selects the run.
    List().SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(Focused(List()), 4);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 4);
    EXPECT_EQ(List().GetSelectedCount(), 1u);
    EXPECT_EQ(List().GetNextItem(-1, LVNI_SELECTED), 4);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    List().SendMessage(WM_KEYDOWN, VK_HOME, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Focused(List()), 0);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 0);
    EXPECT_EQ(List().GetSelectedCount(), 5u);
    int walked = 0;
    for (int i = List().GetNextItem(-1, LVNI_SELECTED); i >= 0;
         i = List().GetNextItem(i, LVNI_SELECTED))
        ++walked;
    EXPECT_EQ(walked, 5) << "the batch save walks the selection this way";
}

TEST_F(IconPanes, TheControlCountsEveryRecordAppendedByItsNextQuestion) {
    // Records appended in a run reach the control's count at once when it is asked anything.
    const std::string path = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
        if (i % 97 == 0) {
            ASSERT_EQ(List().GetItemCount(), i + 1);
        }
    }
    List().SetItemState(299, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(List().GetNextItem(-1, LVNI_SELECTED), 299);
    EXPECT_EQ(List().GetItemCount(), 300);

    // Appended and emptied before the control heard of them: nothing is left over.
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    iconList->RemoveAll();
    ui::PumpPending();
    EXPECT_EQ(List().GetItemCount(), 0);
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ui::PumpPending();
    EXPECT_EQ(List().GetItemCount(), 1);
    EXPECT_EQ(List().OwnedItemCount(), 1);
}
