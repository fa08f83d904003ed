// The main frame fills the real file list: ShowFolder, found files, clearing, and the file
// list's Search command; the icon counts of the system folder agree with quarvel-cli.
#include "AppFixture.h"

#include "engine/IconItem.h"
#include "support/CliRunner.h"
#include "support/TempFiles.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {
std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
// Whether a list control draws when asked to repaint: it announces each drawing to its parent.
HWND watchedList = nullptr;
int drawings = 0;
HHOOK drawHook = nullptr;

LRESULT CALLBACK countDrawing(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message->lParam);
        drawings += header->hwndFrom == watchedList && header->code == NM_CUSTOMDRAW;
    }
    return CallNextHookEx(drawHook, code, wParam, lParam);
}

bool Paints(CWnd& list) {
    watchedList = list.m_hWnd;
    drawings = 0;
    drawHook = SetWindowsHookExA(WH_CALLWNDPROC, countDrawing, nullptr, GetCurrentThreadId());
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    UnhookWindowsHookEx(drawHook);
    return drawings > 0;
}
} // namespace

class ShownFolder : public QuarvelStarted {
protected:
    CFileListCtrl& Files() { return frame->GetFileList()->GetListCtrl(); }
    CIconListCtrl& Icons() { return frame->GetIconList()->GetListCtrl(); }
    CSubIconView* SubIcons() { return frame->GetSubIconView(); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int row = 0; row < Files().GetItemCount(); ++row)
            names.push_back(Files().GetItemText(row, kNameColumn).GetString());
        return names;
    }
};

TEST_F(ShownFolder, ListsTheEntriesSortedWithFoldersFirstAndTheirIcons) {
    ASSERT_TRUE(Start());
    TempFolder folder("quarvel shown folder");
    folder.AddFile("b.ico");
    folder.AddFile("a.txt");
    folder.AddFolder("Sub");
    frame->ShowFolder(folder.path().c_str());
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Sub", "a.txt", "b.ico"}));
    EXPECT_EQ(Icons().GetItemCount(), 1);
    EXPECT_STREQ(Files().GetItemText(2, kIconsColumn), "1");
    // Painting, held back while the rows went in, is on again for both lists.
    EXPECT_TRUE(Paints(Files()));
    EXPECT_TRUE(Paints(Icons()));
}

TEST_F(ShownFolder, AFolderWithOnlyDotsEmptiesAllThreeLists) {
    ASSERT_TRUE(Start());
    frame->ShowFolder("C:\\windows");
    ASSERT_TRUE(Filled());
    ASSERT_GT(Files().GetItemCount(), 0);
    ASSERT_GT(Icons().GetItemCount(), 0);
    Icons().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_GT(SubIcons()->GetListBox().GetCount(), 0);

    TempFolder empty("quarvel dots only");
    frame->ShowFolder(empty.path().c_str());
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Files().GetItemCount(), 0);
    EXPECT_EQ(Icons().GetItemCount(), 0);
    EXPECT_EQ(SubIcons()->GetListBox().GetCount(), 0);
}

TEST_F(ShownFolder, FoundFilesAreAddedUnsortedAndClearingEmptiesTheLists) {
    ASSERT_TRUE(Start());
    frame->ClearFileList(); // as a search starts: the start-up folder's entries go
    EXPECT_EQ(frame->AddFoundFile(""), 0);
    EXPECT_EQ(frame->AddFoundFile("C:\\windows\\notepad.exe"), 1);
    EXPECT_EQ(frame->AddFoundFile("C:\\windows\\explorer.exe"), 1);
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Names(), (std::vector<std::string>{"notepad.exe", "explorer.exe"}));
    EXPECT_GT(Icons().GetItemCount(), 0);
    frame->ClearFileList();
    EXPECT_EQ(Files().GetItemCount(), 0);
    EXPECT_EQ(Icons().GetItemCount(), 0);
}

TEST_F(ShownFolder, SearchOnAFolderRowShowsTheSearchPageWithThatFolder) {
    ASSERT_TRUE(Start());
    // Choosing a folder ends the search that runs.
    frame->GetSearchForm()->SetLookInFolder("C:\\windows");
    frame->GetSearchForm()->SendMessage(WM_COMMAND, IDC_FIND);
    ASSERT_TRUE(frame->GetSearchForm()->IsSearching());
    frame->ShowFolder("C:\\windows");
    EXPECT_FALSE(frame->GetSearchForm()->IsSearching());
    ASSERT_TRUE(Filled());
    int row = 0;
    while (row < Files().GetItemCount() && Files().GetItemText(row, kNameColumn) != "system32")
        ++row;
    ASSERT_LT(row, Files().GetItemCount());
    Files().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    frame->GetFileList()->SendMessage(WM_COMMAND, ID_SEARCH_IN_FOLDER);
    ui::PumpPending();
    EXPECT_EQ(Browser()->GetCurrentView(), frame->GetSearchForm());
    EXPECT_FALSE(frame->GetSearchForm()->IsSearching());
    EXPECT_EQ(ui::WindowText(::GetDlgItem(frame->GetSearchForm()->m_hWnd, IDC_LOOK_IN)),
              "C:\\windows\\system32");
}

TEST_F(ShownFolder, SystemFolderIconCountsAgreeWithTheCommandLineTool) {
    ASSERT_TRUE(Start());
    const char* system32 = "C:\\windows\\system32";
    quarvel::test::TempFolder scratch;
    const auto listing = quarvel::test::RunCli({"list", system32}, scratch.Path());
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::map<std::string, int> expected; // lower-case path -> icons listed
    for (const std::string& line : listing.OutLines())
        ++expected[lower(line.substr(0, line.find('\t')))];
    ASSERT_GT(expected.size(), 5u);

    frame->ShowFolder(system32);
    ASSERT_TRUE(Filled());
    int files = 0, listedIcons = 0, listedCursors = 0, matched = 0;
    for (int row = 0; row < Files().GetItemCount(); ++row) {
        if (Files().IsFolderRow(row))
            continue;
        ++files;
        const std::string path = lower(Files().GetFullPath(row).GetString());
        const int count = std::atoi(Files().GetItemText(row, kIconsColumn));
        const auto found = expected.find(path);
        EXPECT_EQ(count, found == expected.end() ? 0 : found->second) << path;
        matched += found != expected.end();
        listedIcons += count;
        listedCursors += std::atoi(Files().GetItemText(row, kCursorsColumn));
    }
    EXPECT_GT(files, 300);
    EXPECT_EQ(matched, static_cast<int>(expected.size())); // every file the tool lists is a row
    // The icon list holds the files' cursors too, after each file's icons.
    EXPECT_EQ(listedIcons + listedCursors, Icons().GetItemCount());
}

// ---- Filling a folder in slices

namespace {
struct CountingIcons : quarvel::IconListReceiver {
    int AddGroupIcon(const char*, quarvel::ResKey, std::uint16_t) override { return 1; }
    int AddIconFile(const char*) override { return 1; }
};

std::string grouped(int count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// A folder of image files: links to (or copies of) the system folder's files that hold icons,
// taken in turn, with .ico and text files and a subfolder among them.
void fillWithImages(const quarvel::test::TempFolder& folder, int count) {
    std::vector<std::string> sources;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA("C:\\windows\\system32\\*.*", &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        const std::string path = std::string("C:\\windows\\system32\\") + found.cFileName;
        CountingIcons counter;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            quarvel::ListIconGroups(path.c_str(), &counter) > 0)
            sources.push_back(path);
    } while (FindNextFileA(find, &found) && sources.size() < 40);
    FindClose(find);
    ASSERT_FALSE(sources.empty());
    for (int i = 0; i < count; ++i) {
        const std::string& source = sources[static_cast<std::size_t>(i) % sources.size()];
        const std::string target =
            folder.File(std::to_string(i) + "-" + source.substr(source.rfind('\\') + 1));
        if (!CreateHardLinkA(target.c_str(), source.c_str(), nullptr))
            CopyFileA(source.c_str(), target.c_str(), FALSE);
    }
    folder.Write("z.ico", quarvel::test::ReadFileBytes(
                              folder.File("0-" + sources[0].substr(sources[0].rfind('\\') + 1))));
    folder.Write("notes.txt", {'n'});
    CreateDirectoryA(folder.File("sub").c_str(), nullptr);
}
} // namespace

class FilledFolder : public ShownFolder {
protected:
    // Everything a fill shows: each row's texts and picture, each icon's source, name and
    // language, in order.
    struct Shown {
        std::vector<std::string> rows;
        std::vector<std::string> icons;
        bool operator==(const Shown& other) const {
            return rows == other.rows && icons == other.icons;
        }
    };
    Shown Now() {
        Shown shown;
        for (int row = 0; row < Files().GetItemCount(); ++row) {
            std::string line;
            for (int column = kNameColumn; column <= kIconsColumn; ++column)
                line += std::string(Files().GetItemText(row, column).GetString()) + "|";
            shown.rows.push_back(line + RowPicture(row));
        }
        for (int index = 0; index < Icons().GetItemCount(); ++index) {
            const quarvel::CIconItem* item = Icons().GetIconItem(index);
            shown.icons.push_back(
                item->GetListedPath() + "|" + item->GetPath() + "|" +
                (item->NameIsId() ? std::to_string(item->GetId()) : item->GetNameText()) + "|" +
                std::to_string(item->GetLanguage()));
        }
        return shown;
    }
    // The pixels of a row's small icon, drawn on white, as text.
    std::string RowPicture(int row) {
        LVITEMA image{};
        image.mask = LVIF_IMAGE;
        image.iItem = row;
        Files().GetItem(&image);
        MemoryCanvas canvas(nullptr, 16, 16);
        const RECT all{0, 0, 16, 16};
        FillRect(canvas.DC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ImageList_Draw(Files().GetRowIcons(), image.iImage, canvas.DC(), 0, 0, ILD_NORMAL);
        std::string pixels;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                pixels += std::to_string(GetPixel(canvas.DC(), x, y)) + ",";
        return pixels;
    }
    // What ShowFolder showed before it filled in slices: every entry added at once, then sorted.
    Shown AddedAtOnce(const std::string& folder) {
        frame->ClearFileList();
        CFileFind finder;
        BOOL more = finder.FindFile((folder + "\\*.*").c_str());
        while (more) {
            more = finder.FindNextFile();
            if (!finder.IsDots())
                frame->GetFileList()->AddFile(finder.GetFilePath());
        }
        frame->GetFileList()->Resort();
        return Now();
    }
    std::string StatusText() { return frame->GetStatusBar().GetPaneText(0).GetString(); }
};

TEST_F(FilledFolder, ShowsWhatAddingEveryEntryAtOnceShowedAndWhatTheToolLists) {
    ASSERT_TRUE(Start());
    quarvel::test::TempFolder folder, scratch;
    fillWithImages(folder, 300);
    frame->ShowFolder(folder.Path().c_str());
    std::set<std::string> progress;
    ASSERT_TRUE(ui::PumpEachUntil(
        [&] {
            progress.insert(StatusText());
            return !frame->IsFilling();
        },
        60000));
    const Shown filled = Now();
    ASSERT_EQ(filled.rows.size(), 303u);
    EXPECT_TRUE(filled == AddedAtOnce(folder.Path()));

    // The counts are the tool's (the icon list holds cursors too); the status bar followed the
    // fill and ends with the totals of icons.
    const auto listing = quarvel::test::RunCli({"list", folder.Path()}, scratch.Path());
    ASSERT_EQ(listing.status, 0) << listing.err;
    const int icons = static_cast<int>(listing.OutLines().size());
    const auto everything =
        quarvel::test::RunCli({"list", "--kind", "all", folder.Path()}, scratch.Path());
    ASSERT_EQ(everything.status, 0) << everything.err;
    EXPECT_EQ(filled.icons.size(), everything.OutLines().size());
    EXPECT_EQ(StatusText(), "302 files, " + grouped(icons) + " icons");
    EXPECT_TRUE(std::any_of(progress.begin(), progress.end(), [](const std::string& text) {
        return text.find(" of 302 files") != std::string::npos;
    }));

    // Sorted by another column while the icons come in, the rows keep their own counts.
    frame->ShowFolder(folder.Path().c_str());
    ASSERT_TRUE(
        ui::PumpEachUntil([&] { return Icons().GetItemCount() > 0 && frame->IsFilling(); }));
    Files().SortByColumn(kSizeColumn, false);
    ASSERT_TRUE(Filled());
    Shown sortedMidway = Now(), atOnce = AddedAtOnce(folder.Path());
    std::sort(sortedMidway.rows.begin(), sortedMidway.rows.end());
    std::sort(atOnce.rows.begin(), atOnce.rows.end());
    EXPECT_TRUE(sortedMidway == atOnce);
}

TEST_F(FilledFolder, AnotherFolderOrAClearListEndsTheFillAtOnce) {
    ASSERT_TRUE(Start());
    quarvel::test::TempFolder big, small;
    fillWithImages(big, 300);
    small.Write("only.ico", quarvel::test::ReadFileBytes(big.File("z.ico")));
    const auto midway = [&] {
        return ui::PumpEachUntil([&] { return Icons().GetItemCount() > 0 && frame->IsFilling(); });
    };

    frame->ShowFolder(big.Path().c_str());
    ASSERT_TRUE(midway());
    frame->ShowFolder(small.Path().c_str());
    ASSERT_TRUE(Filled());
    ui::PumpUntil([] { return false; }, 300); // anything late would arrive meanwhile
    EXPECT_EQ(Names(), std::vector<std::string>{"only.ico"});
    ASSERT_EQ(Icons().GetItemCount(), 1);
    EXPECT_EQ(Icons().GetIconItem(0)->GetPath(), small.File("only.ico"));

    // A search starting empties the list: nothing of the fill comes back.
    frame->ShowFolder(big.Path().c_str());
    ASSERT_TRUE(midway());
    frame->ClearFileList();
    EXPECT_FALSE(frame->IsFilling());
    ui::PumpUntil([] { return false; }, 300);
    EXPECT_EQ(Files().GetItemCount(), 0);
    EXPECT_EQ(Icons().GetItemCount(), 0);
}

TEST_F(FilledFolder, ClosingDuringAFillEndsItsThread) {
    ASSERT_TRUE(Start());
    quarvel::test::TempFolder folder;
    fillWithImages(folder, 300);
    frame->ShowFolder(folder.Path().c_str());
    ASSERT_TRUE(
        ui::PumpEachUntil([&] { return Icons().GetItemCount() > 0 && frame->IsFilling(); }));
    HANDLE worker = OpenThread(SYNCHRONIZE, FALSE, frame->GetFileList()->FillThreadId());
    ASSERT_NE(worker, nullptr);
    frame->DestroyWindow();
    frame = nullptr;
    // The window's end waits for the thread: it has gone already.
    EXPECT_EQ(WaitForSingleObject(worker, 0), WAIT_OBJECT_0);
    CloseHandle(worker);
}
