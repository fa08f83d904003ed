// The sortable report list: header clicks, directions, item data kept across sorts, the text
// comparison, column building and off-screen painting.
#include "ColumnSorter.h"
#include "SortListCtrl.h"
#include "UiHarness.h"
#include "WidgetsTestApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Row {
    const char* name;
    const char* kind;
    const char* size;
};
const Row kRows[] = {{"cherry", "Zeta", "3"},
                     {"apple", "alpha", "1"},
                     {"Banana", "Gamma", "2"},
                     {"date", "beta", "4"}};

// A text-sorted list with three columns; each row's item data is 100 + its first position.
struct SortList {
    ui::HostWindow host;
    CTextSortListCtrl list;
    SortList() {
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 500, 300}, &host.wnd, 1);
        list.AppendColumn("Name", 120);
        list.AppendColumn("Kind");
        list.AppendColumn("Size", 60);
        int index = 0;
        for (const Row& row : kRows) {
            list.InsertItem(index, row.name);
            list.SetItemText(index, 1, row.kind);
            list.SetItemText(index, 2, row.size);
            list.SetItemData(index, static_cast<DWORD_PTR>(100 + index));
            ++index;
        }
        ui::PumpPending();
    }
    std::vector<std::string> column(int col) const {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts.push_back(list.GetItemText(row, col).str());
        return texts;
    }
    // A mouse click on a header item, as the user makes it.
    void clickHeader(int col, bool right = false) {
        HWND header = list.GetHeaderCtrl();
        RECT item;
        Header_GetItemRect(header, col, &item);
        ui::Click(header, ui::Centre(item), right ? ui::Button::Right : ui::Button::Left);
    }
    // The header's item-click notification with a chosen button, sent straight to the list.
    void notifyItemClick(int col, int button, UINT code = HDN_ITEMCLICKA) {
        NMHEADERA click{};
        click.hdr.hwndFrom = list.GetHeaderCtrl();
        click.hdr.idFrom = 0;
        click.hdr.code = code;
        click.iItem = col;
        click.iButton = button;
        list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    }
};

using Texts = std::vector<std::string>;
} // namespace

TEST(SortList, HeaderClicksSortAscendingThenFlipTheDirectionAndAnotherColumnStartsAscending) {
    SortList s;
    EXPECT_EQ(s.list.GetSortedColumn(), -1);

    s.clickHeader(1);
    EXPECT_EQ(s.column(1), (Texts{"alpha", "beta", "Gamma", "Zeta"}));
    EXPECT_EQ(s.list.GetSortedColumn(), 1);
    EXPECT_TRUE(s.list.IsSortAscending());

    s.clickHeader(1);
    EXPECT_EQ(s.column(1), (Texts{"Zeta", "Gamma", "beta", "alpha"}));
    EXPECT_FALSE(s.list.IsSortAscending());

    s.clickHeader(1);
    EXPECT_EQ(s.column(1), (Texts{"alpha", "beta", "Gamma", "Zeta"}));
    EXPECT_TRUE(s.list.IsSortAscending());

    s.clickHeader(0);
    EXPECT_EQ(s.column(0), (Texts{"apple", "Banana", "cherry", "date"}));
    EXPECT_EQ(s.list.GetSortedColumn(), 0);
    EXPECT_TRUE(s.list.IsSortAscending());

    // The wide form of the notification sorts the same way.
    s.notifyItemClick(0, 0, HDN_ITEMCLICKW);
    EXPECT_EQ(s.column(0), (Texts{"date", "cherry", "Banana", "apple"}));
}

TEST(SortList, OnlyTheLeftButtonSorts) {
    SortList s;
    Texts before = s.column(0);
    s.clickHeader(0, true);
    s.notifyItemClick(0, 1);
    s.notifyItemClick(0, 2);
    EXPECT_EQ(s.column(0), before);
    EXPECT_EQ(s.list.GetSortedColumn(), -1);

    s.notifyItemClick(0, 0);
    EXPECT_EQ(s.column(0), (Texts{"apple", "Banana", "cherry", "date"}));
}

TEST(SortList, EveryRowGetsItsOwnItemDataBackInItsNewPlace) {
    SortList s;
    for (int col : {0, 2, 2, 1}) {
        s.clickHeader(col);
        for (int row = 0; row < s.list.GetItemCount(); ++row) {
            std::string name = s.list.GetItemText(row, 0).str();
            DWORD_PTR expected = 0;
            for (int first = 0; first < 4; ++first)
                if (name == kRows[first].name)
                    expected = static_cast<DWORD_PTR>(100 + first);
            EXPECT_EQ(s.list.GetItemData(row), expected) << name << " after sorting column " << col;
        }
    }
}

TEST(SortList, ASorterLeavesRowsWhoseItemDataChangedOrThatCameMeanwhileAsTheyAre) {
    SortList s;
    {
        CColumnSorter sorter(&s.list, 0);
        sorter.Sort(true, ByText); // apple, Banana, cherry, date
        s.list.SetItemData(3, 7);
        s.list.InsertItem(4, "late");
        s.list.SetItemData(4, 9);
    }
    EXPECT_EQ(s.list.GetItemData(0), 101u);
    EXPECT_EQ(s.list.GetItemData(1), 102u);
    EXPECT_EQ(s.list.GetItemData(2), 100u);
    EXPECT_EQ(s.list.GetItemData(3), 7u);
    EXPECT_EQ(s.list.GetItemData(4), 9u);

    CTextSortListCtrl empty;
    empty.Create(WS_CHILD | LVS_REPORT, RECT{0, 0, 10, 10}, &s.host.wnd, 2);
    EXPECT_TRUE(empty.SortByColumn(0, true));
}

TEST(SortList, CompareOrdersTextIgnoringCaseByTheSignOfTheParameter) {
    SortPair apple{0, "apple"}, banana{0, "Banana"}, cherry{0, "cherry"};
    SortPair lower{0, "abc"}, upper{0, "ABC"};
    EXPECT_LT(CColumnSorter::Compare(&apple, &banana, 2), 0);
    EXPECT_LT(CColumnSorter::Compare(&banana, &cherry, 2), 0);
    EXPECT_GT(CColumnSorter::Compare(&cherry, &apple, 2), 0);
    EXPECT_GT(CColumnSorter::Compare(&apple, &banana, -2), 0);
    EXPECT_GT(CColumnSorter::Compare(&banana, &cherry, -2), 0);
    EXPECT_LT(CColumnSorter::Compare(&cherry, &apple, -2), 0);
    EXPECT_EQ(CColumnSorter::Compare(&lower, &upper, 2), 0);
    EXPECT_EQ(CColumnSorter::Compare(&lower, &upper, -2), 0);
    for (LPARAM other : {0, 1, -1, 3, -3, 200})
        EXPECT_EQ(CColumnSorter::Compare(&apple, &cherry, other), 0) << "parameter " << other;
    EXPECT_EQ(CColumnSorter::SortParameter(true, ByText), 2);
    EXPECT_EQ(CColumnSorter::SortParameter(false, ByText), -2);
}

TEST(SortList, AppendColumnCopiesTheLastWidthAndExtendedStylesAreOnlyAdded) {
    ui::HostWindow host;
    CSortListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 400, 200}, &host.wnd, 1);
    EXPECT_EQ(list.AppendColumn("First"), 0);
    EXPECT_EQ(list.GetColumnWidth(0), 0);
    EXPECT_EQ(list.AppendColumn("Second", 75, LVCFMT_RIGHT), 1);
    EXPECT_EQ(list.AppendColumn("Third"), 2);
    EXPECT_EQ(list.GetColumnWidth(2), 75);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_SUBITEM;
    ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    EXPECT_EQ(column.iSubItem, 1);

    list.AddExtendedStyle(LVS_EX_GRIDLINES);
    list.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));

    // The base list keeps its rows as they are on a header click.
    list.InsertItem(0, "b");
    list.InsertItem(1, "a");
    NMHEADERA click{};
    click.hdr.hwndFrom = list.GetHeaderCtrl();
    click.hdr.code = HDN_ITEMCLICKA;
    list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_STREQ(list.GetItemText(0, 0), "b");
    EXPECT_EQ(list.GetSortedColumn(), 0);
}

TEST(SortList, PaintingComposesRowsOffScreenAndNeverErasesOnItsOwn) {
    SortList s;
    const COLORREF window = GetSysColor(COLOR_WINDOW);

    // Erasing draws nothing and says it is done.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, 8, 8};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, red);
    EXPECT_NE(s.list.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory)), 0);
    EXPECT_EQ(GetPixel(memory, 4, 4), RGB(255, 0, 0));
    SelectObject(memory, previous);
    DeleteObject(red);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    // A repaint shows the rows' text on the window colour and leaves the header its own.
    s.list.Invalidate();
    s.list.UpdateWindow();
    ui::PumpPending();
    RECT row;
    s.list.GetItemRect(0, &row, LVIR_LABEL);
    HDC dc = GetDC(s.list);
    int inked = 0, background = 0;
    for (int x = row.left; x < row.right; ++x)
        for (int y = row.top; y < row.bottom; ++y)
            (GetPixel(dc, x, y) == window ? background : inked) += 1;
    RECT header;
    GetClientRect(s.list.GetHeaderCtrl(), &header);
    COLORREF headerFace = GetPixel(dc, header.right - 2, header.bottom / 2);
    ReleaseDC(s.list, dc);
    EXPECT_GT(inked, 5) << "the first row's text is drawn";
    EXPECT_GT(background, inked) << "on the window colour";
    EXPECT_NE(headerFace, window) << "the header is not painted over";
}
