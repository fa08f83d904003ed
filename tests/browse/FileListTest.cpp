// The file list's rows and columns, the icons it lists, its folders-first sort and the header
// rule, and folder rows opened in the tree.
#include "FileListPane.h"

#include "engine/DisplayIcon.h"
#include "support/IconData.h"

#include <algorithm>
#include <set>

using namespace quarvel::test;

namespace {
// An image file holding group icons 1 and 3, each in English and German.
Bytes imageWithFourIcons() {
    ResourceTree tree;
    const Bytes image = MakeBmpImage(16, 4);
    AddIconGroup(tree, 1, 0x409, {image}, {16}, {4}, 1);
    AddIconGroup(tree, 1, 0x407, {image}, {16}, {4}, 2);
    AddIconGroup(tree, 3, 0x409, {image}, {16}, {4}, 3);
    AddIconGroup(tree, 3, 0x407, {image}, {16}, {4}, 4);
    return BuildImageWithResources(tree);
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\') + 1);
}

// Gives the file the last-write time `local` stands for in local time; false when it cannot.
bool SetWrittenLocalTime(const std::string& path, const SYSTEMTIME& local) {
    SYSTEMTIME universal;
    FILETIME written;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) ||
        !SystemTimeToFileTime(&universal, &written))
        return false;
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool set = SetFileTime(file, nullptr, nullptr, &written) != FALSE;
    CloseHandle(file);
    return set;
}
} // namespace

TEST_F(FileListPane, CreatesItsSixColumnsOnTheSystemSmallIcons) {
    const char* headings[] = {"Name", "In Folder", "Size", "Date", "Icons", "Cursors"};
    const int widths[] = {140, 200, 60, 120, 80, 80};
    for (int column = 0; column < 6; ++column) {
        char text[32] = "";
        LVCOLUMNA info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        ASSERT_TRUE(List().SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                                       reinterpret_cast<LPARAM>(&info)));
        EXPECT_STREQ(text, headings[column]);
        EXPECT_EQ(info.cx, widths[column]);
        EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK,
                  column == kSizeColumn ? LVCFMT_RIGHT : LVCFMT_LEFT);
    }
    EXPECT_TRUE(List().GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(List().GetStyle() & LVS_SHAREIMAGELISTS); // the system's list is never destroyed
    EXPECT_NE(List().GetImageList(LVSIL_SMALL), nullptr);
    RECT pane, list;
    fileList->GetClientRect(&pane);
    List().GetClientRect(&list);
    EXPECT_EQ(pane.right, list.right);
}

TEST_F(FileListPane, FileRowsShowSizeInStartedKilobytesDateAndIconCount) {
    const std::string empty = WriteSized("empty.dat", 0);
    const std::string almost = WriteSized("almost.dat", 1023);
    const std::string whole = WriteSized("whole.dat", 1024);
    EXPECT_EQ(Add(empty), 0);
    EXPECT_EQ(Add(almost), 1);
    EXPECT_EQ(Add(whole), 2);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"empty.dat", folderOf(empty), "1KB",
                                                Row(0)[kDateColumn], "0"}));
    EXPECT_EQ(Row(1)[kSizeColumn], "1KB");
    EXPECT_EQ(Row(2)[kSizeColumn], "2KB");
    EXPECT_EQ(List().GetItemData(0), 0u);

    // The date column shows the file's last-write time in local time.
    ASSERT_TRUE(SetWrittenLocalTime(empty, SYSTEMTIME{2001, 7, 0, 3, 14, 5, 9, 0}));
    fileList->RemoveAll();
    Add(empty);
    EXPECT_EQ(Row(0)[kDateColumn], "07/03/2001 14:05");
}

TEST_F(FileListPane, AFileOverFourGigabytesShowsItsWholeSize) {
    const std::string big = WriteSized("big.dat", 5ull << 30);
    ASSERT_EQ(Add(big), 0);
    EXPECT_EQ(Row(0)[kSizeColumn], "5242881KB");
}

TEST_F(FileListPane, FolderRowsHaveNoSizeNoIconsAndListNothing) {
    const std::string sub = MakeFolder("sub");
    ASSERT_EQ(Add(sub), 0);
    EXPECT_EQ(Row(0),
              (std::vector<std::string>{"sub", folderOf(sub), "", Row(0)[kDateColumn], ""}));
    EXPECT_FALSE(Row(0)[kDateColumn].empty());
    EXPECT_EQ(List().GetItemData(0), 1u);
    EXPECT_EQ(Icons().GetItemCount(), 0);
    // A trailing backslash names the same folder.
    ASSERT_EQ(Add(sub + "\\"), 1);
    EXPECT_EQ(Row(1)[kNameColumn], "sub");
}

TEST_F(FileListPane, FilesListTheirIconsIntoTheIconList) {
    const std::string ico =
        folder.Write("tools.ico", Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i'});
    const std::string image = folder.Write("four.dll", imageWithFourIcons());
    const std::string text = folder.Write("notes.txt", Bytes{'h', 'i'});
    Add(ico);
    Add(image);
    Add(text);
    EXPECT_EQ(Column(kIconsColumn), (std::vector<std::string>{"1", "4", "0"}));
    ASSERT_EQ(Icons().GetItemCount(), 5);
    EXPECT_STREQ(Icons().GetItemText(0, 0), "tools.ico");
    EXPECT_STREQ(Icons().GetItemText(1, 0), "1\r\nfour.dll");

    // Emptying the file list leaves the icon list to the frame, which empties both.
    fileList->RemoveAll();
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(Icons().GetItemCount(), 5);
}

TEST_F(FileListPane, PathsThatCannotBeReadAddNothing) {
    EXPECT_EQ(Add(""), -1);
    EXPECT_EQ(Add(folder.File("missing.exe")), -1);
    EXPECT_EQ(Add("notepad.exe"), -1);
    EXPECT_EQ(Add("\\"), -1);
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(Icons().GetItemCount(), 0);
}

TEST_F(FileListPane, SortsSizeAndDateByValueOthersAsTextWithFoldersAboveFilesAscending) {
    // Sizes and dates whose texts sort otherwise than their values: 10KB before 9KB, and a
    // January of a later year before a December.
    struct File {
        const char* name;
        std::uint64_t size;
        SYSTEMTIME written;
    };
    const File files[] = {{"nine.dat", 8 * 1024, {2026, 12, 0, 31, 23, 59, 0, 0}},   // 9KB
                          {"ten.dat", 9 * 1024, {2027, 1, 0, 1, 0, 0, 0, 0}},        // 10KB
                          {"small.dat", 10, {2026, 12, 0, 1, 9, 30, 0, 0}},          // 1KB
                          {"hundred.dat", 99 * 1024, {2001, 7, 0, 3, 14, 5, 0, 0}}}; // 100KB
    for (const File& file : files) {
        const std::string path = WriteSized(file.name, file.size);
        ASSERT_TRUE(SetWrittenLocalTime(path, file.written));
    }
    MakeFolder("Zeta");
    MakeFolder("alpha");
    for (const char* name : {"nine.dat", "Zeta", "ten.dat", "alpha", "small.dat", "hundred.dat"})
        Add(folder.File(name));

    List().SortByColumn(kSizeColumn, true);
    EXPECT_EQ(Column(kSizeColumn),
              (std::vector<std::string>{"", "", "1KB", "9KB", "10KB", "100KB"}));
    List().SortByColumn(kSizeColumn, false);
    EXPECT_EQ(Column(kSizeColumn),
              (std::vector<std::string>{"100KB", "10KB", "9KB", "1KB", "", ""}));
    List().SortByColumn(kDateColumn, true);
    std::vector<std::string> names = Column(kNameColumn);
    EXPECT_EQ(std::vector<std::string>(names.begin() + 2, names.end()),
              (std::vector<std::string>{"hundred.dat", "small.dat", "nine.dat", "ten.dat"}));
    EXPECT_TRUE(List().IsFolderRow(0) && List().IsFolderRow(1));
    List().SortByColumn(kDateColumn, false);
    names = Column(kNameColumn);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4),
              (std::vector<std::string>{"ten.dat", "nine.dat", "small.dat", "hundred.dat"}));
    EXPECT_TRUE(List().IsFolderRow(4) && List().IsFolderRow(5));
    List().SortByColumn(kNameColumn, true);
    EXPECT_EQ(Column(kNameColumn), (std::vector<std::string>{"alpha", "Zeta", "hundred.dat",
                                                             "nine.dat", "small.dat", "ten.dat"}));
    List().SortByColumn(kNameColumn, false);
    EXPECT_EQ(Column(kNameColumn), (std::vector<std::string>{"ten.dat", "small.dat", "nine.dat",
                                                             "hundred.dat", "Zeta", "alpha"}));
    // Every row has its folder flag back after the sort.
    for (int row = 0; row < List().GetItemCount(); ++row)
        EXPECT_EQ(List().GetItemData(row), Row(row)[kSizeColumn].empty() ? 1u : 0u);
}

TEST_F(FileListPane, HeaderClicksDecideTheDirectionAndResortKeepsTheirChoice) {
    for (const char* name : {"b.dat", "a.dat", "c.dat"})
        WriteSized(name, 1);
    for (const char* name : {"b.dat", "a.dat", "c.dat"})
        Add(folder.File(name));
    fileList->Resort(); // as after a folder was shown: "Name", ascending
    EXPECT_EQ(Column(kNameColumn), (std::vector<std::string>{"a.dat", "b.dat", "c.dat"}));

    // The first click on "Name" sorts ascending again; only the second one reverses.
    ClickHeader(kNameColumn);
    EXPECT_EQ(Column(kNameColumn), (std::vector<std::string>{"a.dat", "b.dat", "c.dat"}));
    ClickHeader(kNameColumn);
    EXPECT_EQ(Column(kNameColumn), (std::vector<std::string>{"c.dat", "b.dat", "a.dat"}));
    EXPECT_EQ(List().GetSortColumn(), kNameColumn);
    EXPECT_FALSE(List().IsSortAscending());
    // A right-button click does not sort.
    ClickHeader(kFolderColumn, 1);
    EXPECT_EQ(List().GetSortColumn(), kNameColumn);

    // The chosen sort holds for the next folder shown.
    fileList->RemoveAll();
    for (const char* name : {"a.dat", "c.dat", "b.dat"})
        Add(folder.File(name));
    fileList->Resort();
    EXPECT_EQ(Column(kNameColumn), (std::vector<std::string>{"c.dat", "b.dat", "a.dat"}));
}

TEST_F(FileListPane, DoubleClickAndEnterOnAFolderRowMoveTheTreeOnceTheirHandlerReturned) {
    RecordingTree tree;
    CurrentListing listing;
    listing.SetFolderTree(&tree);
    fileList->SetListing(&listing);
    const std::string sub = MakeFolder("sub");
    Add(folder.File("sub"));
    Add(folder.Write("file.txt", Bytes{'x'}));

    auto notify = [this](UINT code, int row) {
        NMITEMACTIVATE activate{};
        activate.hdr = NMHDR{List().m_hWnd, static_cast<UINT_PTR>(List().GetDlgCtrlID()), code};
        activate.iItem = row;
        fileList->SendMessage(WM_NOTIFY, activate.hdr.idFrom, reinterpret_cast<LPARAM>(&activate));
    };
    notify(NM_DBLCLK, 1);  // a file row
    notify(NM_DBLCLK, -1); // empty space
    EXPECT_TRUE(tree.selected.empty());
    notify(NM_DBLCLK, 0);
    EXPECT_TRUE(tree.selected.empty()); // not inside the list's own notification
    EXPECT_EQ(List().GetItemCount(), 2);
    ui::PumpPending();
    EXPECT_EQ(tree.selected, std::vector<std::string>{sub});
    EXPECT_EQ(tree.expanded, std::vector<bool>{true});

    // Enter acts on the target row.
    Select({0}, 0);
    List().SetFocus();
    List().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    ui::PumpPending();
    ASSERT_EQ(tree.selected.size(), 2u);
    EXPECT_EQ(tree.selected[1], sub);
    Select({1}, 1);
    List().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    ui::PumpPending();
    EXPECT_EQ(tree.selected.size(), 2u);
    fileList->SetListing(nullptr);
}

TEST_F(FileListPane, RowIconsThatTheShellWouldReadFromTheFileAreBuiltByOurReader) {
    // The project's prefix registers .exe and .ico as types whose icon is the file's own, and
    // .dll with an icon of shell32's.
    EXPECT_TRUE(CFileRowIcons::IconComesFromFile("C:\\x\\a.EXE"));
    EXPECT_TRUE(CFileRowIcons::IconComesFromFile("a.ico"));
    EXPECT_FALSE(CFileRowIcons::IconComesFromFile("a.dll"));
    EXPECT_FALSE(CFileRowIcons::IconComesFromFile("a.txt"));
    EXPECT_FALSE(CFileRowIcons::IconComesFromFile("noextension"));

    ResourceTree red, blue;
    AddIconGroup(red, 1, 0x409, {MakeBmpImage(16, 32, 1), MakeBmpImage(32, 32, 1)}, {16, 32},
                 {32, 32}, 1);
    AddIconGroup(blue, 7, 0x409, {MakeBmpImage(16, 4, 9)}, {16}, {4}, 1);
    Bytes cut = BuildImageWithResources(red);
    cut.resize(cut.size() / 2);
    const Bytes png = MakePngImage(16, 16);
    Bytes tallImage = MakeBmpImage(16, 8);
    tallImage[8] = 66; // promises more rows than it holds
    const int sound = Add(folder.Write("red.exe", BuildImageWithResources(red)));
    const int other = Add(folder.Write("blue.exe", BuildImageWithResources(blue)));
    const int ico = Add(folder.Write("png.ico", MakeIcoFile({EntryFor(png, 16, 32, 0)}, {png})));
    const int damaged = Add(folder.Write("cut.exe", cut));
    const int badImage =
        Add(folder.Write("tall.ico", MakeIcoFile({EntryFor(tallImage, 16, 8, 0)}, {tallImage})));
    const int text = Add(folder.Write("notes.txt", Bytes(10, 'x')));
    const int sub = Add(MakeFolder("sub"));
    const auto image = [&](int row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        List().GetItem(&item);
        return item.iImage;
    };
    for (int row : {sound, other, ico, damaged, badImage, text, sub})
        EXPECT_GE(image(row), 0) << row;
    // Each accepted file gets its own icon; the two our reader rejects share the icon of a file
    // without a type, which the shell finds without reading anything.
    EXPECT_NE(image(sound), image(other));
    EXPECT_NE(image(sound), image(ico));
    EXPECT_EQ(image(damaged), image(badImage));
    EXPECT_NE(image(damaged), image(sound));
    EXPECT_NE(image(text), image(sub));
    EXPECT_EQ(Row(sound)[kIconsColumn], "1");

    fileList->RemoveAll();
    EXPECT_EQ(ImageList_GetImageCount(List().GetRowIcons()), 0);
    EXPECT_EQ(List().GetImageList(LVSIL_SMALL), List().GetRowIcons());
}

namespace {
// The picture at index of a row icon list, drawn on white, as text.
std::string DrawnRowIcon(HIMAGELIST list, int index) {
    const int side = GetSystemMetrics(SM_CXSMICON);
    quarvel::MemoryCanvas canvas(nullptr, side, side);
    const RECT all{0, 0, side, side};
    FillRect(canvas.DC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list, index, canvas.DC(), 0, 0, ILD_NORMAL);
    std::string pixels;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            pixels += std::to_string(GetPixel(canvas.DC(), x, y)) + ",";
    return pixels;
}
} // namespace

TEST(FileRowIcons, RowsOfTheirOwnIconsKeepEachPictureWhileTheListGrows) {
    // Past the first room and two doublings of it: every icon keeps its index and its picture,
    // as drawn from a list that only ever appended.
    constexpr int kIcons = 200;
    CFileRowIcons rows;
    CImageList appended;
    appended.Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                    ILC_COLOR32 | ILC_MASK, 0, 4);
    for (int n = 0; n < kIcons; ++n) {
        const Bytes image = MakeBmpImage(16, 8, static_cast<std::uint8_t>(n)); // colours by n
        const auto size = static_cast<std::uint32_t>(image.size());
        RowIconChoice own;
        own.kind = RowIconChoice::Kind::Own;
        own.own.Reset(quarvel::CreateIconFromImage(image.data(), size));
        ASSERT_TRUE(own.own);
        const quarvel::ScopedIcon same(quarvel::CreateIconFromImage(image.data(), size));
        ASSERT_EQ(ImageList_ReplaceIcon(appended, -1, same.Get()), n);
        ASSERT_EQ(rows.ForFile("C:\\x\\a.exe", std::move(own)), n);
    }
    const auto untyped = [] {
        RowIconChoice choice;
        choice.kind = RowIconChoice::Kind::Untyped;
        return choice;
    };
    const std::string untypedPicture =
        DrawnRowIcon(rows.Handle(), rows.ForFile("C:\\x\\a", untyped()));
    for (int n = 0; n < kIcons; n += 3) {
        EXPECT_EQ(DrawnRowIcon(rows.Handle(), n), DrawnRowIcon(appended, n)) << n;
        EXPECT_NE(DrawnRowIcon(rows.Handle(), n), untypedPicture) << n;
    }
    EXPECT_NE(DrawnRowIcon(rows.Handle(), 1), DrawnRowIcon(rows.Handle(), 2));

    const CImageList old = rows.Reset();
    EXPECT_EQ(ImageList_GetImageCount(rows.Handle()), 0);
    EXPECT_EQ(rows.ForFile("C:\\x\\a", untyped()), 0);
}

namespace {
// Programs whose first icon's 16-pixel image is red or blue; the row icons show that image.
struct RowPictures {
    Bytes red = MakeBmpImage(16, 32, 1);
    Bytes blue = MakeBmpImage(16, 32, 9);

    // A program whose first icon is `small` with a 32-pixel image coloured by seed.
    Bytes Program(const Bytes& small, std::uint8_t seed, std::uint16_t group = 1) const {
        ResourceTree tree;
        AddIconGroup(tree, group, 0x409, {small, MakeBmpImage(32, 32, seed)}, {16, 32}, {32, 32},
                     1);
        return BuildImageWithResources(tree);
    }
    // The drawings of the red and the blue icon, built one by one into a list of their own.
    std::string Drawn(const Bytes& image) const {
        CImageList list;
        list.Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                    ILC_COLOR32 | ILC_MASK, 0, 1);
        const quarvel::ScopedIcon icon(
            quarvel::CreateIconFromImage(image.data(), static_cast<std::uint32_t>(image.size())));
        return ImageList_ReplaceIcon(list, -1, icon.Get()) == 0 ? DrawnRowIcon(list, 0) : "";
    }
};
} // namespace

TEST(FileRowIcons, FilesOfTheSamePictureShareOneIconBuiltOncePerListing) {
    const RowPictures pictures;
    TempFolder folder;
    const std::string red = folder.Write("red.exe", pictures.Program(pictures.red, 1));
    // Another program, whose first icon differs but for the image the row shows.
    const std::string redAgain = folder.Write("again.exe", pictures.Program(pictures.red, 7, 5));
    const std::string redIco =
        folder.Write("red.ico", MakeIcoFile({EntryFor(pictures.red, 16, 32, 0)}, {pictures.red}));
    const std::string blue = folder.Write("blue.exe", pictures.Program(pictures.blue, 1));
    Bytes tallImage = MakeBmpImage(16, 8);
    tallImage[8] = 66; // promises more rows than it holds: our reader builds no icon of it
    const std::string tall =
        folder.Write("tall.ico", MakeIcoFile({EntryFor(tallImage, 16, 8, 0)}, {tallImage}));

    RowIconRule rule;
    CFileRowIcons rows;
    const auto choose = [&](const std::string& path) {
        return ReadFileIcons(path.c_str(), true, rule).rowIcon;
    };
    RowIconChoice first = choose(red);
    ASSERT_EQ(first.kind, RowIconChoice::Kind::Own);
    ASSERT_TRUE(first.own && first.picture);
    const auto redPicture = first.picture;
    const int redIndex = rows.ForFile(red.c_str(), std::move(first));
    ASSERT_GE(redIndex, 0);
    // The same picture again, from another program and from an .ico file: named, not built.
    for (const std::string& path : {redAgain, redIco, red}) {
        RowIconChoice again = choose(path);
        EXPECT_EQ(again.kind, RowIconChoice::Kind::Own) << path;
        EXPECT_FALSE(again.own) << path;
        EXPECT_EQ(again.picture, redPicture) << path;
        EXPECT_EQ(rows.ForFile(path.c_str(), std::move(again)), redIndex) << path;
    }
    RowIconChoice other = choose(blue);
    ASSERT_TRUE(other.own);
    EXPECT_NE(other.picture, redPicture);
    const int blueIndex = rows.ForFile(blue.c_str(), std::move(other));
    EXPECT_EQ(blueIndex, redIndex + 1); // one slot per picture
    EXPECT_EQ(DrawnRowIcon(rows.Handle(), redIndex), pictures.Drawn(pictures.red));
    EXPECT_EQ(DrawnRowIcon(rows.Handle(), blueIndex), pictures.Drawn(pictures.blue));
    // An image our reader refuses gets the icon of a file without a type, each time.
    for (int time = 0; time < 2; ++time) {
        RowIconChoice refused = choose(tall);
        EXPECT_EQ(refused.kind, RowIconChoice::Kind::Untyped) << time;
        EXPECT_FALSE(refused.own || refused.picture) << time;
    }

    // A new listing: an emptied list and a new rule build the picture again, at the list's start.
    const CImageList old = rows.Reset();
    rule = RowIconRule();
    RowIconChoice fresh = choose(redAgain);
    ASSERT_TRUE(fresh.own);
    EXPECT_EQ(rows.ForFile(redAgain.c_str(), std::move(fresh)), 0);
    EXPECT_EQ(DrawnRowIcon(rows.Handle(), 0), pictures.Drawn(pictures.red));
    // Were a list ever emptied apart from its rule, a picture named without its icon would
    // still get a row icon: the one of a file without a type.
    const CImageList older = rows.Reset();
    RowIconChoice named = choose(redAgain);
    ASSERT_FALSE(named.own);
    RowIconChoice untyped;
    untyped.kind = RowIconChoice::Kind::Untyped;
    const int untypedIndex = rows.ForFile("C:\\x\\a", std::move(untyped));
    EXPECT_EQ(rows.ForFile(redAgain.c_str(), std::move(named)), untypedIndex);
}

TEST(FileRowIcons, TheRowIconChosenWhileTheListingHoldsTheFileOpenIsTheOneReadByItsPath) {
    const RowPictures pictures;
    TempFolder folder;
    ResourceTree named; // a named group lists first: its image is the row's
    AddIconGroup(named, Key(u"APP"), 0x407, {pictures.blue}, {16}, {32}, 1);
    AddIconGroup(named, 2, 0x409, {pictures.red}, {16}, {32}, 2);
    Bytes tallImage = MakeBmpImage(16, 8);
    tallImage[8] = 66; // promises more rows than it holds: our reader builds no icon of it
    ResourceTree damaged;
    AddIconGroup(damaged, 1, 0x409, {tallImage}, {16}, {8}, 1);
    ResourceTree versionOnly;
    versionOnly.Add(16, 1, 1033, Bytes(64));
    CreateDirectoryA(folder.File("System32").c_str(), nullptr);
    CreateDirectoryA(folder.File("SystemResources").c_str(), nullptr);
    // Its icons live in the .mun file, not in the file the row is for.
    const std::string moved =
        folder.Write("System32\\moved.exe", BuildImageWithResources(versionOnly));
    folder.Write("SystemResources\\moved.exe.mun", pictures.Program(pictures.red, 3));
    const std::vector<std::pair<std::string, RowIconChoice::Kind>> files = {
        {folder.Write("red.exe", pictures.Program(pictures.red, 1)), RowIconChoice::Kind::Own},
        {folder.Write("named.exe", BuildImageWithResources(named)), RowIconChoice::Kind::Own},
        {folder.Write("red.ico", MakeIcoFile({EntryFor(pictures.red, 16, 32, 0)}, {pictures.red})),
         RowIconChoice::Kind::Own},
        {folder.Write("damaged.exe", BuildImageWithResources(damaged)),
         RowIconChoice::Kind::Untyped},
        {folder.Write("none.exe", BuildImageWithResources(versionOnly)),
         RowIconChoice::Kind::Untyped},
        {folder.Write("text.exe", Bytes(300, 'x')), RowIconChoice::Kind::Untyped},
        {moved, RowIconChoice::Kind::Untyped},
        {folder.Write("plain.txt", pictures.Program(pictures.red, 1)), RowIconChoice::Kind::ByType},
    };

    // With and without the fill's identities, against a listing of its own and a choice that
    // opens the file again, each with a rule of its own.
    for (const bool described : {false, true}) {
        RowIconRule listedRule, reopenedRule;
        quarvel::UniqueIcons identities;
        for (const auto& [path, kind] : files) {
            const RowIconChoice listed =
                ReadFileIcons(path.c_str(), true, listedRule, described ? &identities : nullptr)
                    .rowIcon;
            RecordedIcons recorded;
            FirstIconRecorder first(&recorded);
            quarvel::ListIconGroups(path.c_str(), &first);
            const RowIconChoice reopened = reopenedRule.Choose(path.c_str(), first);
            EXPECT_EQ(listed.kind, kind) << path;
            EXPECT_EQ(listed.kind, reopened.kind) << path;
            EXPECT_EQ(listed.picture, reopened.picture) << path;
            EXPECT_EQ(static_cast<bool>(listed.own), static_cast<bool>(reopened.own)) << path;
        }
    }
    RowIconRule rule;
    EXPECT_EQ(ReadFileIcons(files[1].first.c_str(), true, rule).rowIcon.picture,
              quarvel::Sha256Of(pictures.blue.data(), pictures.blue.size()));
}

TEST_F(FileListPane, IconsMovedToAMunFileKeepTheFileTheyWereListedForThroughTheFill) {
    const RowPictures pictures;
    const std::string system32 = MakeFolder("System32");
    MakeFolder("SystemResources");
    ResourceTree versionOnly;
    versionOnly.Add(16, 1, 1033, Bytes(64));
    const std::string moved =
        folder.Write("System32\\moved.exe", BuildImageWithResources(versionOnly));
    const std::string mun =
        folder.Write("SystemResources\\moved.exe.mun", pictures.Program(pictures.red, 3));

    fileList->FillFromFolder(system32.c_str());
    ASSERT_TRUE(ui::PumpUntil([&] { return !fileList->IsFilling(); }, 30000));
    ASSERT_EQ(List().GetItemCount(), 1);
    EXPECT_EQ(Row(0)[kIconsColumn], "1");
    ASSERT_EQ(Icons().GetItemCount(), 1);
    const quarvel::CIconItem* item = Icons().GetIconItem(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetPath(), mun) << "the images are read from the .mun file";
    EXPECT_EQ(item->GetListedPath(), moved) << "saved files and locations name the program";
    // The same through a row added at once.
    Icons().RemoveAll();
    ASSERT_GE(Add(moved), 0);
    ASSERT_EQ(Icons().GetItemCount(), 1);
    EXPECT_EQ(Icons().GetIconItem(0)->GetListedPath(), moved);
}

TEST_F(FileListPane, RowsOfTheSamePictureShareOneRowIconInEveryListing) {
    constexpr int kPrograms = 40;
    const RowPictures pictures;
    const std::string red = folder.Write("red.bin", pictures.Program(pictures.red, 1));
    const std::string programs = MakeFolder("programs");
    for (int i = 0; i < kPrograms; ++i) {
        const std::string target = programs + "\\p" + std::to_string(i) + ".exe";
        if (!CreateHardLinkA(target.c_str(), red.c_str(), nullptr)) {
            ASSERT_TRUE(CopyFileA(red.c_str(), target.c_str(), FALSE));
        }
    }
    folder.Write("programs\\blue.exe", pictures.Program(pictures.blue, 1));
    const auto image = [&](int row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        List().GetItem(&item);
        return item.iImage;
    };
    const std::string redDrawn = pictures.Drawn(pictures.red);
    const std::string blueDrawn = pictures.Drawn(pictures.blue);
    // Rows added at once, two listings by the worker, rows added at once again: each listing
    // after the list was emptied, which must forget the pictures on both sides.
    for (int listing = 0; listing < 4; ++listing) {
        fileList->RemoveAll();
        const bool byWorker = listing == 1 || listing == 2;
        if (byWorker) {
            fileList->FillFromFolder(programs.c_str());
            ASSERT_TRUE(ui::PumpUntil([&] { return !fileList->IsFilling(); }, 30000));
        } else {
            for (int i = 0; i < 3; ++i)
                Add(programs + "\\p" + std::to_string(i) + ".exe");
            Add(programs + "\\blue.exe");
        }
        const int rowCount = List().GetItemCount();
        ASSERT_EQ(rowCount, byWorker ? kPrograms + 1 : 4) << listing;
        std::set<int> redIndices, blueIndices;
        for (int row = 0; row < rowCount; ++row)
            (Row(row)[kNameColumn] == "blue.exe" ? blueIndices : redIndices).insert(image(row));
        ASSERT_EQ(redIndices.size(), 1u) << listing;
        ASSERT_EQ(blueIndices.size(), 1u) << listing;
        const int redIndex = *redIndices.begin(), blueIndex = *blueIndices.begin();
        EXPECT_NE(redIndex, blueIndex) << listing;
        EXPECT_LE(std::max(redIndex, blueIndex), 1) << listing; // two slots in all
        EXPECT_EQ(DrawnRowIcon(List().GetRowIcons(), redIndex), redDrawn) << listing;
        EXPECT_EQ(DrawnRowIcon(List().GetRowIcons(), blueIndex), blueDrawn) << listing;
    }
}
