// The file list with many rows: its rows are our records, so sorting must carry the selection,
// the focus and the fill's keys with the rows, emptying must leave nothing behind, the control's
// own questions (texts, typed names) must be answered from the records, and a folder's fill
// must hand the icon list exactly the icons its rows count.
#include "FileListPane.h"

#include "FileRowText.h"
#include "support/IconData.h"

#include <algorithm>
#include <numeric>
#include <set>

using namespace quarvel::test;

namespace {
constexpr int kRows = 20000;

// Row i: "name<i>.dat" in one of 7 folders, a size and a date that order otherwise than i,
// and every 50th a folder.
FileEntry SyntheticEntry(int i) {
    FileEntry entry;
    entry.folder = ("C:\\data\\part" + std::to_string(i % 7) + "\\").c_str();
    entry.name = ("name" + std::to_string(i) + ".dat").c_str();
    entry.isFolder = i % 50 == 0;
    if (!entry.isFolder)
        entry.size = (std::to_string((i * 7919) % 100000) + "KB").c_str();
    char date[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d %02d:%02d", 1 + i % 12, 1 + i % 28,
                  1990 + (i * 31) % 40, i % 24, i % 60);
    entry.date = date;
    return entry;
}

std::set<std::string> SelectedNames(CFileListCtrl& list) {
    std::set<std::string> names;
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = list.GetNextItem(row, LVNI_SELECTED))
        names.insert(list.GetItemText(row, kNameColumn).str());
    return names;
}

// A small program whose `groups` icon groups hold a 16- and a 32-pixel image.
Bytes ProgramWithGroups(int groups) {
    ResourceTree tree;
    for (int group = 0; group < groups; ++group)
        AddIconGroup(tree, Key(group + 1), 0x409,
                     {MakeBmpImage(16, 32, static_cast<std::uint8_t>(group)),
                      MakeBmpImage(32, 32, static_cast<std::uint8_t>(group))},
                     {16, 32}, {32, 32}, static_cast<std::uint16_t>(group * 2 + 1));
    return BuildImageWithResources(tree, true);
}
} // namespace

TEST_F(FileListPane, ALargeListSortsItsRecordsKeepingSelectionFocusAndKeysOnTheirRows) {
    // As the fill appends them: the control repaints once, after the rows are in.
    List().SendMessage(WM_SETREDRAW, FALSE);
    for (int i = 0; i < kRows; ++i)
        ASSERT_EQ(List().AppendEntry(SyntheticEntry(i), i), i);
    List().SendMessage(WM_SETREDRAW, TRUE);
    ASSERT_EQ(List().GetItemCount(), kRows);
    // The control asks us for what it shows: its own answer is the record's.
    CListCtrl& control = List();
    EXPECT_STREQ(control.GetItemText(123, kFolderColumn), "C:\\data\\part4\\");
    EXPECT_STREQ(control.GetItemText(123, kNameColumn), "name123.dat");
    EXPECT_STREQ(List().GetFullPath(123), "C:\\data\\part4\\name123.dat");

    Select({5, 77, 150, kRows - 1}, 77);
    List().SortByColumn(kSizeColumn, false);
    // Descending: files first, by size from the largest; folders last.
    std::uint64_t last = ~0ull;
    for (int row = 0; row < kRows; ++row) {
        const bool folderRow = List().IsFolderRow(row);
        EXPECT_EQ(folderRow, row >= kRows - kRows / 50) << row;
        EXPECT_EQ(List().GetItemData(row), folderRow ? 1u : 0u);
        if (folderRow)
            continue;
        const std::uint64_t size = SizeSortKey(List().GetItemText(row, kSizeColumn));
        ASSERT_LE(size, last) << row;
        last = size;
    }
    EXPECT_EQ(SelectedNames(List()),
              (std::set<std::string>{"name5.dat", "name77.dat", "name150.dat",
                                     "name" + std::to_string(kRows - 1) + ".dat"}));
    EXPECT_EQ(List().GetSelectedCount(), 4u);
    EXPECT_STREQ(List().GetItemText(List().GetNextItem(-1, LVNI_FOCUSED), kNameColumn),
                 "name77.dat");
    EXPECT_STREQ(List().GetItemText(List().GetTargetRow(), kNameColumn), "name77.dat");
    for (int key : {0, 1, 77, kRows / 2 + 45, kRows - 1})
        EXPECT_EQ(List().GetItemText(List().RowOfKey(key), kNameColumn).str(),
                  "name" + std::to_string(key) + ".dat");

    // Equal keys keep the order they had (a stable sort): by date, then by name within a date.
    List().SortByColumn(kNameColumn, true);
    List().SortByColumn(kDateColumn, true);
    for (int row = kRows / 50 + 1; row < kRows; ++row) {
        const CString before = List().GetItemText(row - 1, kDateColumn);
        const CString now = List().GetItemText(row, kDateColumn);
        ASSERT_LE(DateSortKey(before), DateSortKey(now)) << row;
        if (DateSortKey(before) == DateSortKey(now)) {
            ASSERT_LT(CompareTextNoCase(List().GetItemText(row - 1, kNameColumn),
                                        List().GetItemText(row, kNameColumn)),
                      0)
                << row;
        }
    }

    // Select All, then emptying: nothing of the rows, their keys or states is left.
    List().SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    EXPECT_EQ(List().GetSelectedCount(), static_cast<UINT>(kRows));
    fileList->RemoveAll();
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(List().GetSelectedCount(), 0u);
    EXPECT_EQ(List().GetTargetRow(), -1);
    EXPECT_EQ(List().RowOfKey(5), -1);
    EXPECT_EQ(List().GetItemText(0, kNameColumn), "");
    EXPECT_FALSE(List().IsFolderRow(0));
    // The list fills again from nothing.
    ASSERT_EQ(List().AppendEntry(SyntheticEntry(1)), 0);
    EXPECT_STREQ(List().GetItemText(0, kFolderColumn), "C:\\data\\part1\\");
    EXPECT_EQ(List().GetSelectedCount(), 0u);
}

TEST_F(FileListPane, TypingTheFirstLettersOfANameMovesToTheNextRowWithIt) {
    for (const char* name : {"apple.dat", "banana.dat", "Blueberry.dat", "cherry.dat"})
        WriteSized(name, 1);
    for (const char* name : {"cherry.dat", "banana.dat", "apple.dat", "Blueberry.dat"})
        Add(folder.File(name));
    fileList->Resort();
    ASSERT_EQ(Column(kNameColumn),
              (std::vector<std::string>{"apple.dat", "banana.dat", "Blueberry.dat", "cherry.dat"}));
    List().SetFocus();
    Select({0}, 0);
    const auto focusedName = [&] {
        return List().GetItemText(List().GetNextItem(-1, LVNI_FOCUSED), kNameColumn).str();
    };
    List().SendMessage(WM_CHAR, 'c', 1);
    EXPECT_EQ(focusedName(), "cherry.dat");
    // The next row that begins with the letter, whatever its case, wrapping round the end.
    ui::PumpUntil([] { return false; }, 1100); // the control forgets what was typed
    List().SendMessage(WM_CHAR, 'b', 1);
    EXPECT_EQ(focusedName(), "banana.dat");
    ui::PumpUntil([] { return false; }, 1100);
    List().SendMessage(WM_CHAR, 'B', 1);
    EXPECT_EQ(focusedName(), "Blueberry.dat");
    // A letter no name begins with leaves the focus where it is.
    ui::PumpUntil([] { return false; }, 1100);
    List().SendMessage(WM_CHAR, 'z', 1);
    EXPECT_EQ(focusedName(), "Blueberry.dat");
}

TEST_F(FileListPane, AFolderOfManyProgramsFillsWithCountsMatchingTheIconList) {
    constexpr int kPrograms = 300;
    const std::string two = folder.Write("two.bin", ProgramWithGroups(2));
    const std::string three = folder.Write("three.bin", ProgramWithGroups(3));
    const std::string programs = MakeFolder("programs");
    for (int i = 0; i < kPrograms; ++i) {
        const std::string target = programs + "\\p" + std::to_string(i) + ".exe";
        const std::string& source = i % 3 == 0 ? three : two;
        if (!CreateHardLinkA(target.c_str(), source.c_str(), nullptr)) {
            ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
        }
    }
    fileList->FillFromFolder(programs.c_str());
    ASSERT_TRUE(ui::PumpUntil([&] { return !fileList->IsFilling(); }, 60000));

    ASSERT_EQ(List().GetItemCount(), kPrograms);
    int counted = 0;
    for (int row = 0; row < kPrograms; ++row) {
        const int count = std::atoi(List().GetItemText(row, kIconsColumn));
        const int program = std::atoi(List().GetItemText(row, kNameColumn).GetString() + 1);
        EXPECT_EQ(count, program % 3 == 0 ? 3 : 2) << program;
        counted += count;
    }
    EXPECT_EQ(counted, kPrograms / 3 * 3 + (kPrograms - kPrograms / 3) * 2);
    EXPECT_EQ(Icons().GetItemCount(), counted);
    // Sorted by name once the rows were in; every row has its row icon.
    const std::vector<std::string> names = Column(kNameColumn);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const auto& a, const auto& b) {
        return CompareTextNoCase(a.c_str(), b.c_str()) < 0;
    }));
    for (int row = 0; row < kPrograms; ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ASSERT_TRUE(List().GetItem(&item));
        EXPECT_GE(item.iImage, 0) << row;
    }
}

TEST_F(FileListPane, AFilesIconsRepaintItsRowInSightAndShowWhenItComesIntoSight) {
    host.wnd.ShowWindow(SW_SHOW);
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(List().AppendEntry(SyntheticEntry(i * 50 + 1), i), i); // files only
    List().UpdateWindow();
    const auto showIcons = [&](int row) {
        FileIcons icons;
        icons.count = 3;
        List().ShowFileIcons(row, std::move(icons), nullptr);
    };
    const auto rowRepaints = [&](int row) {
        RECT rowRect{}, update{}, common{};
        List().GetItemRect(row, &rowRect, LVIR_BOUNDS);
        return GetUpdateRect(List().m_hWnd, &update, FALSE) &&
               IntersectRect(&common, &rowRect, &update);
    };
    const int lastInSight = List().GetTopIndex() + List().GetCountPerPage() - 1;
    for (int row : {0, lastInSight}) {
        ValidateRect(List().m_hWnd, nullptr);
        showIcons(row);
        EXPECT_TRUE(rowRepaints(row)) << row;
        EXPECT_STREQ(List().GetItemText(row, kIconsColumn), "3");
    }
    // Out of sight: shown from its record once scrolled to.
    showIcons(400);
    List().EnsureVisible(400, FALSE);
    List().UpdateWindow();
    CListCtrl& control = List();
    EXPECT_STREQ(control.GetItemText(400, kIconsColumn), "3");
    ValidateRect(List().m_hWnd, nullptr);
    showIcons(400);
    EXPECT_TRUE(rowRepaints(400));
}
