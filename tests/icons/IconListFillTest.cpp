// The icon list during a fill: bursts of appended icons are laid out in their own cells, keep
// the selection and focus, and repaint only the new cells that are on screen; anything else
// that changes during a burst, or emptying the list, repaints the whole list.
#include "IconPanes.h"

#include "engine/IconItem.h"

using namespace quarvel;
using namespace quarvel::test;

namespace {
// Carries out the posted messages (the end of a burst among them), but paints nothing.
void TakePostedMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// What the list will repaint: the bounding rectangle of its update region, or an empty one.
RECT ToRepaint(CIconListCtrl& list) {
    RECT update{};
    if (!GetUpdateRect(list.m_hWnd, &update, FALSE))
        SetRectEmpty(&update);
    return update;
}

RECT Cell(CIconListCtrl& list, int index) {
    RECT cell{};
    list.GetItemRect(index, &cell, LVIR_BOUNDS);
    return cell;
}

bool Contains(const RECT& outer, const RECT& inner) {
    RECT common;
    return IntersectRect(&common, &outer, &inner) && EqualRect(&common, &inner);
}

bool Meets(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

// Cells of distinct places, in rows from the top-left.
void ExpectLaidOut(CIconListCtrl& list) {
    for (int i = 1; i < list.GetItemCount(); ++i) {
        const RECT before = Cell(list, i - 1), cell = Cell(list, i);
        ASSERT_TRUE(cell.top > before.top || (cell.top == before.top && cell.left > before.left))
            << "cell " << i << " at " << cell.left << "," << cell.top;
    }
}
} // namespace

TEST_F(IconPanes, BurstsOfAppendsLayOutTheNewCellsAndRepaintOnlyThoseOnScreen) {
    const std::string first = WriteGroupImage("first.dll", {16}, {4});
    const std::string later = WriteGroupImage("later.dll", {32}, {32});
    host.wnd.ShowWindow(SW_SHOW);
    const auto burst = [&](const std::string& path, int count) {
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
        TakePostedMessages();
    };
    RECT client;
    List().GetClientRect(&client);

    // The first burst fills part of the screen: its cells are drawn.
    burst(first, 5);
    ASSERT_EQ(List().GetItemCount(), 5);
    EXPECT_TRUE(Contains(ToRepaint(List()), Cell(List(), 4)));
    List().UpdateWindow();
    EXPECT_GE(List().GetIconItem(4)->GetImageIndex(), 0) << "drawn with its picture";
    ClickItem(2);
    List().UpdateWindow();

    // The next fills the screen and more: only its cells on screen repaint, the old ones not.
    burst(later, 400);
    ASSERT_EQ(List().GetItemCount(), 405);
    ExpectLaidOut(List());
    const RECT update = ToRepaint(List());
    EXPECT_TRUE(Contains(update, Cell(List(), 5)));
    EXPECT_FALSE(Meets(update, Cell(List(), 0)));
    EXPECT_FALSE(Meets(Cell(List(), 404), client)) << "the list reaches below the screen";
    List().UpdateWindow();
    EXPECT_GE(List().GetIconItem(5)->GetImageIndex(), 0);
    EXPECT_EQ(List().GetIconItem(404)->GetImageIndex(), CIconItem::kImageNotMade);

    // A burst wholly below the screen repaints nothing; selection and focus stay.
    burst(later, 300);
    ASSERT_EQ(List().GetItemCount(), 705);
    const RECT below = ToRepaint(List());
    EXPECT_TRUE(IsRectEmpty(&below));
    EXPECT_EQ(List().GetSelectedCount(), 1u);
    EXPECT_EQ(List().GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(List().GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(subIcons->GetCurrentIcon(), List().GetIconItem(2));

    // Scrolled to the end, with room left in the last row: the list stays where it is, and the
    // next burst's cells there show and are drawn.
    int columns = 1;
    while (Cell(List(), columns).top == Cell(List(), 0).top)
        ++columns;
    if (List().GetItemCount() % columns == 0)
        burst(later, 1);
    const int shown = List().GetItemCount();
    List().SendMessage(LVM_SCROLL, 0, Cell(List(), shown - 1).bottom - client.bottom);
    ui::PumpPending();
    List().UpdateWindow();
    const RECT scrolled = ToRepaint(List());
    ASSERT_TRUE(IsRectEmpty(&scrolled));
    const int scrolledTop = Cell(List(), shown - 1).top;
    ASSERT_TRUE(Meets(Cell(List(), shown - 1), client)) << scrolledTop;
    burst(first, columns);
    ASSERT_EQ(List().GetItemCount(), shown + columns);
    EXPECT_EQ(Cell(List(), shown - 1).top, scrolledTop) << "the list stays where it was";
    ExpectLaidOut(List());
    const RECT end = ToRepaint(List());
    ASSERT_TRUE(Meets(Cell(List(), shown), client));
    EXPECT_TRUE(Contains(end, Cell(List(), shown)));
    EXPECT_FALSE(Meets(Cell(List(), shown + columns - 1), client));
    List().UpdateWindow();
    EXPECT_GE(List().GetIconItem(shown)->GetImageIndex(), 0);
    EXPECT_EQ(List().GetItemText(shown, 0), "1\r\nfirst.dll");
}

TEST_F(IconPanes, WhatElseChangesDuringABurstOrEmptyingMidFillRepaintsTheWholeList) {
    const std::string old = WriteGroupImage("old.dll", {16}, {4});
    const std::string fresh = WriteGroupImage("fresh.dll", {32}, {32});
    host.wnd.ShowWindow(SW_SHOW);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(List().AddGroupIcon(old.c_str(), 1, 0x409), 1);
    TakePostedMessages();
    List().UpdateWindow();
    RECT client;
    List().GetClientRect(&client);

    // A selection changed while the burst's drawing waits is drawn with the whole list.
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(List().AddGroupIcon(old.c_str(), 1, 0x409), 1);
    List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    TakePostedMessages();
    const RECT selected = ToRepaint(List());
    EXPECT_TRUE(EqualRect(&selected, &client));
    List().UpdateWindow();

    // Sorted by name, a burst's icon that sorts first moves every cell after it: all drawn.
    const std::string early = WriteGroupImage("early.dll", {16}, {4});
    List().SetOrder(IconOrder::Name);
    List().UpdateWindow();
    ASSERT_EQ(List().AddGroupIcon(early.c_str(), 1, 0x409), 1);
    TakePostedMessages();
    EXPECT_EQ(List().GetItemText(0, 0), "1\r\nearly.dll");
    const RECT sorted = ToRepaint(List());
    EXPECT_TRUE(EqualRect(&sorted, &client)) << "the moved cells are drawn";
    List().SetOrder(IconOrder::File);
    List().UpdateWindow();

    // Emptied in the middle of a burst, the list shows the new fill's icons only, all drawn.
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(List().AddGroupIcon(old.c_str(), 1, 0x409), 1);
    iconList->RemoveAll();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(List().AddGroupIcon(fresh.c_str(), 1, 0x409), 1);
    TakePostedMessages();
    ASSERT_EQ(List().GetItemCount(), 3);
    EXPECT_EQ(List().OwnedItemCount(), 3);
    EXPECT_EQ(List().GetSelectedCount(), 0u);
    const RECT emptied = ToRepaint(List());
    List().GetClientRect(&client); // without the scroll bar now
    EXPECT_TRUE(EqualRect(&emptied, &client)) << "the old cells are drawn over";
    ExpectLaidOut(List());
    List().UpdateWindow();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(List().GetItemText(i, 0), "1\r\nfresh.dll") << i;
        EXPECT_GE(List().GetIconItem(i)->GetImageIndex(), 0) << i;
    }
    EXPECT_EQ(List().GetItemText(3, 0), "");
}
