// The batch save of the icon list: files as the command line writes them, the overwrite
// question and its answers, the folder checks, Stop, the log and the progress, bitmaps, PNG
// files.
#include "BatchSaveDriver.h"
#include "IconBatchSaveDlg.h"
#include "IconPanes.h"
#include "engine/platform/FileSystem.h"
#include "engine/IconFacts.h"
#include "engine/IconImageSet.h"
#include "support/CliRunner.h"
#include "support/CursorData.h"

using namespace quarvel::test;

namespace {

// A setting in memory that records what the dialog stores.
struct RecordedSetting {
    std::string offered = "C:\\offered\\";
    std::vector<std::string> stored;
    SaveFolderSetting Setting() {
        return {[this] { return CString(offered.c_str()); },
                [this](const char* folder) { stored.push_back(folder); },
                {}};
    }
};

std::string OkLine(const std::string& path) {
    return "Save [" + path + "] ok!";
}
std::string FailedLine(const std::string& path) {
    return "Save [" + path + "] failed!";
}

} // namespace

class BatchSave : public IconPanes {
protected:
    void SetUp() override {
        IconPanes::SetUp();
        // Groups 101 and 102 of explorer.exe; the second's image of the system's size comes second.
        ResourceTree tree;
        AddIconGroup(tree, 101, 0x409, {MakeBmpImage(16, 4), MakeBmpImage(32, 8)}, {16, 32}, {4, 8},
                     1);
        AddIconGroup(tree, 102, 0x409, {MakeBmpImage(48, 32, 7), MakeBmpImage(32, 32, 7)}, {48, 32},
                     {32, 32}, 5);
        source = WriteImage("explorer.exe", tree);
        ASSERT_EQ(quarvel::ListIconGroups(source.c_str(), &List()), 2);
        iconList->SetSaveFolderSetting(setting.Setting());
        target = folder.File("out");
        CreateDirectoryA(target.c_str(), nullptr);
    }
    // Selects every icon and chooses Save Icon As, as the user does.
    void SaveSelection() {
        iconList->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
        iconList->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
    }
    std::string Target(const char* name) const { return target + "\\" + name; }

    // The files written into the target folder.
    std::vector<std::string> Written() const {
        std::vector<std::string> names;
        quarvel::platform::ListFolder(target.c_str(), names);
        return names;
    }

    std::string source;
    RecordedSetting setting;
    std::string target;
};

TEST_F(BatchSave, TwoIconsAreWrittenAsTheCommandLineWritesThemAndTheDialogClosesItself) {
    BatchSaveDriver driver({target + "\\", CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
    SaveSelection();

    const BatchSaveDriver::Controls& open = driver.AtOpen();
    EXPECT_EQ(open.folder, "C:\\offered\\");
    EXPECT_EQ(open.progress, "totals: 2");
    EXPECT_TRUE(open.formatIco);
    EXPECT_TRUE(open.saveNowEnabled);
    EXPECT_FALSE(open.stopEnabled);
    EXPECT_TRUE(open.hasIcons);

    const std::string first = Target("explorer.exe#101.ico"),
                      second = Target("explorer.exe#102.ico");
    const BatchSaveDriver::Controls& closed = driver.AtClose();
    EXPECT_EQ(BatchSaveDriver::Lines(closed.log),
              (std::vector<std::string>{OkLine(first), OkLine(second)}));
    EXPECT_EQ(closed.progress, "2 / 2");
    EXPECT_EQ(closed.progressPos, 2);
    EXPECT_TRUE(driver.Questions().empty());
    EXPECT_EQ(setting.stored, (std::vector<std::string>{target + "\\"}));

    const std::string cliFolder = folder.File("cli");
    CreateDirectoryA(cliFolder.c_str(), nullptr);
    ASSERT_EQ(RunCli({"extract", "-o", cliFolder, source}, folder.Path()).status, 0);
    EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(cliFolder + "\\explorer.exe#101.ico"));
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(cliFolder + "\\explorer.exe#102.ico"));
    EXPECT_FALSE(ReadFileBytes(first).empty());
}

TEST_F(BatchSave, OnlyTheSelectedIconsAreWrittenWhenTheSelectionHasGaps) {
    // Items 0 and 1 are explorer.exe's groups, 2 to 7 six.dll's groups 1 to 6.
    ResourceTree tree;
    for (int id = 1; id <= 6; ++id)
        AddIconGroup(tree, id, 0, {MakeBmpImage(32, 8)}, {32}, {8}, static_cast<std::uint16_t>(id));
    const std::string six = WriteImage("six.dll", tree);
    ASSERT_EQ(quarvel::ListIconGroups(six.c_str(), &List()), 6);
    List().SetItemState(-1, 0, LVIS_SELECTED);
    for (int index : {0, 2, 5})
        List().SetItemState(index, LVIS_SELECTED, LVIS_SELECTED);

    BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
    iconList->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
    EXPECT_EQ(driver.AtOpen().progress, "totals: 3");
    EXPECT_EQ(driver.AtClose().progress, "3 / 3");
    EXPECT_EQ(BatchSaveDriver::Lines(driver.AtClose().log),
              (std::vector<std::string>{OkLine(Target("explorer.exe#101.ico")),
                                        OkLine(Target("six.dll#1.ico")),
                                        OkLine(Target("six.dll#4.ico"))}));
    EXPECT_EQ(Written(),
              (std::vector<std::string>{"explorer.exe#101.ico", "six.dll#1.ico", "six.dll#4.ico"}));
}

TEST_F(BatchSave, CursorsAreWrittenInTheirOwnFormatsAndTheirPicturesApartFromIcons) {
    // Cursor group 101 shares its name with explorer.exe's icon group 101.
    ResourceTree tree;
    AddIconGroup(tree, 101, 0x409, {MakeBmpImage(32, 8)}, {32}, {8}, 1);
    AddCursorGroup(tree, 101, 0x409, {32}, {{4, 6}}, 10);
    const std::string pointers = WriteImage("pointers.dll", tree);
    const std::string ani = folder.Write("busy.ani", BuildAni(MakeAniParts(2)));
    List().RemoveAll();
    ASSERT_EQ(quarvel::ListIconGroups(pointers.c_str(), &List()), 2);
    ASSERT_EQ(List().AddAnimatedCursorFile(ani.c_str()), 1);
    {
        BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
        driver.ExitWhenEnded(); // should one fail, the log says which
        SaveSelection();
        EXPECT_EQ(BatchSaveDriver::Lines(driver.AtClose().log),
                  (std::vector<std::string>{OkLine(Target("pointers.dll#101.ico")),
                                            OkLine(Target("pointers.dll#101.cur")),
                                            OkLine(Target("busy.ani"))}));
    }
    EXPECT_EQ(Written(), (std::vector<std::string>{"busy.ani", "pointers.dll#101.cur",
                                                   "pointers.dll#101.ico"}));
    EXPECT_EQ(ReadFileBytes(Target("busy.ani")), ReadFileBytes(ani));
    const auto cursor = quarvel::ReadCurFileImages(Target("pointers.dll#101.cur").c_str());
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->entries[0].wPlanes, 4);
    EXPECT_EQ(cursor->entries[0].wBitCount, 6);
    {
        BatchSaveDriver driver({target, CBatchSaveDlg::kPngFormat, true, {}, IDNO});
        driver.ExitWhenEnded();
        SaveSelection();
        EXPECT_EQ(BatchSaveDriver::Lines(driver.AtClose().log).size(), 3u);
        EXPECT_TRUE(driver.Questions().empty()) << "no picture takes another's name";
    }
    for (const char* name :
         {"pointers.dll#101.png", "pointers.dll#101-cursor.png", "busy-cursor.png"})
        EXPECT_FALSE(ReadFileBytes(Target(name)).empty()) << name;
}

TEST_F(BatchSave, ExistingFilesAreReplacedOnlyAsTheAnswersSay) {
    const std::string first = Target("explorer.exe#101.ico"),
                      second = Target("explorer.exe#102.ico");
    const Bytes old{'o', 'l', 'd'};
    const auto writeOld = [&] {
        for (const std::string& path : {first, second})
            folder.Write(path.substr(folder.Path().size() + 1), old);
    };
    ASSERT_EQ(List().SaveIcon(0, false, folder.File("fresh101.ico").c_str(), false, 0), 1);
    ASSERT_EQ(List().SaveIcon(1, false, folder.File("fresh102.ico").c_str(), false, 0), 1);

    // "No to All" keeps both files and logs two failures after one question.
    writeOld();
    {
        BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {IDC_NO_TO_ALL}, IDNO});
        driver.ExitWhenEnded();
        SaveSelection();
        ASSERT_EQ(driver.Questions().size(), 1u);
        EXPECT_EQ(driver.Questions()[0].text,
                  "[" + first + "] already exists. Do you want to overwrite it?");
        EXPECT_EQ(
            BatchSaveDriver::Lines(driver.AtClose().log),
            (std::vector<std::string>{FailedLine(first), FailedLine(second), "2 of 2 not saved"}));
        EXPECT_EQ(driver.AtClose().progress, "0 / 2");
    }
    EXPECT_EQ(ReadFileBytes(first), old);
    EXPECT_EQ(ReadFileBytes(second), old);

    // "Yes to All" replaces both after one question.
    {
        BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {IDC_YES_TO_ALL}, IDNO});
        SaveSelection();
        EXPECT_EQ(driver.Questions().size(), 1u);
        EXPECT_EQ(BatchSaveDriver::Lines(driver.AtClose().log),
                  (std::vector<std::string>{OkLine(first), OkLine(second)}));
    }
    EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(folder.File("fresh101.ico")));
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(folder.File("fresh102.ico")));

    // Esc answers "&No" for its file only; "&Yes" replaces just the file it was asked about.
    writeOld();
    {
        BatchSaveDriver driver(
            {target, CBatchSaveDlg::kIcoFormat, true, {BatchSaveDriver::kEscape, IDOK}, IDNO});
        driver.ExitWhenEnded();
        SaveSelection();
        EXPECT_EQ(driver.Questions().size(), 2u);
        EXPECT_EQ(
            BatchSaveDriver::Lines(driver.AtClose().log),
            (std::vector<std::string>{FailedLine(first), OkLine(second), "1 of 2 not saved"}));
    }
    EXPECT_EQ(ReadFileBytes(first), old);
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(folder.File("fresh102.ico")));
}

TEST_F(BatchSave, AMissingFolderIsCreatedWholeOnceAskedAndAFailureKeepsTheDialogReady) {
    const auto pressExitWhenReady = [](BatchSaveDriver& driver) {
        driver.Then([&driver](HWND dialog) {
            driver.SetReady(BatchSaveDriver::Read(dialog));
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
    };
    // "No": nothing is created or written, the dialog stays ready.
    const std::string missing = folder.File("new folder");
    {
        BatchSaveDriver driver({missing, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
        pressExitWhenReady(driver);
        SaveSelection();
        ASSERT_EQ(driver.Questions().size(), 1u);
        EXPECT_EQ(driver.Questions()[0].caption, "Save resource");
        EXPECT_EQ(driver.Questions()[0].text,
                  "[" + missing + "] does not exist. Do you want to create it?");
        EXPECT_TRUE(driver.Ready().saveNowEnabled);
        EXPECT_FALSE(driver.Ready().stopEnabled);
        EXPECT_EQ(driver.Ready().progress, "totals: 2");
        EXPECT_EQ(driver.Ready().log, "");
    }
    EXPECT_EQ(quarvel::platform::GetPathKind(missing.c_str()),
              quarvel::platform::PathKind::Missing);
    EXPECT_TRUE(setting.stored.empty()); // Exit stores nothing

    // A drive that does not exist, or a file in the place of the folder or of a folder above
    // it, cannot be created: nothing is made.
    const std::string file = folder.Write("a file", {'x'});
    for (const std::string& bad : {std::string("Q:\\quarvel out\\icons"), file, file + "\\icons"}) {
        BatchSaveDriver driver({bad, CBatchSaveDlg::kIcoFormat, true, {}, IDYES});
        pressExitWhenReady(driver);
        SaveSelection();
        ASSERT_EQ(driver.Questions().size(), 2u) << bad;
        EXPECT_EQ(driver.Questions()[1].text, "Create [" + bad + "] failed!");
        EXPECT_TRUE(driver.Ready().saveNowEnabled);
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a file", "explorer.exe", "out"}));

    // "Yes": the folder is made with the missing folders above it, after one question, and the
    // batch runs.
    const std::string nested = missing + "\\inner\\icons\\";
    {
        BatchSaveDriver driver({nested, CBatchSaveDlg::kIcoFormat, true, {}, IDYES});
        driver.Then([&driver](HWND dialog) {
            // Ready again after the question: the folder was not made.
            if (driver.Questions().empty() || !BatchSaveDriver::Read(dialog).saveNowEnabled)
                return false;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
        SaveSelection();
        EXPECT_EQ(driver.Questions().size(), 1u);
        EXPECT_EQ(driver.AtClose().progress, "2 / 2");
    }
    EXPECT_EQ(quarvel::platform::GetPathKind((nested + "explorer.exe#102.ico").c_str()),
              quarvel::platform::PathKind::File);
}

TEST_F(BatchSave, ABatchThatLeftFilesUnsavedStaysOpenAndSaysHowMany) {
    // Items 2 to 7 are six.dll's groups 1 to 6.
    ResourceTree tree;
    for (int id = 1; id <= 6; ++id)
        AddIconGroup(tree, id, 0, {MakeBmpImage(32, 8)}, {32}, {8}, static_cast<std::uint16_t>(id));
    const std::string six = WriteImage("six.dll", tree);
    ASSERT_EQ(quarvel::ListIconGroups(six.c_str(), &List()), 6);
    // A read-only file that may not be replaced, and a folder, stand where two files go.
    const std::string readOnly = Target("explorer.exe#101.ico");
    folder.Write("out\\explorer.exe#101.ico", {'o', 'l', 'd'});
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA(Target("six.dll#3.ico").c_str(), nullptr));
    const std::string other = folder.File("other");

    BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {IDCANCEL}, IDYES});
    std::vector<bool> saveNowAfter; // as the format, then the folder, change and change back
    driver.Then([&](HWND dialog) {
        const BatchSaveDriver::Controls now = BatchSaveDriver::Read(dialog);
        if (now.stopEnabled || now.saveNowEnabled)
            return false;
        driver.SetReady(now);
        const auto saveNow = [dialog] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0; };
        SendDlgItemMessageA(dialog, IDC_FORMAT_BMP, BM_CLICK, 0, 0);
        saveNowAfter.push_back(saveNow());
        SendDlgItemMessageA(dialog, IDC_FORMAT_ICO, BM_CLICK, 0, 0);
        saveNowAfter.push_back(saveNow());
        SetDlgItemTextA(dialog, IDC_SAVE_FOLDER, other.c_str());
        saveNowAfter.push_back(saveNow());
        SetDlgItemTextA(dialog, IDC_SAVE_FOLDER, target.c_str());
        saveNowAfter.push_back(saveNow());
        // Another folder: the same selection is saved there, whole, and the dialog closes.
        SetDlgItemTextA(dialog, IDC_SAVE_FOLDER, other.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
    SaveSelection();
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

    const BatchSaveDriver::Controls& ended = driver.Ready();
    EXPECT_EQ(ended.progress, "6 / 8");
    EXPECT_EQ(ended.progressPos, 8);
    const std::vector<std::string> lines = BatchSaveDriver::Lines(ended.log);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], FailedLine(readOnly));
    EXPECT_EQ(lines[4], FailedLine(Target("six.dll#3.ico")));
    EXPECT_EQ(lines.back(), "2 of 8 not saved");
    EXPECT_TRUE(ended.logAtEnd);
    EXPECT_FALSE(ended.saveNowEnabled);
    EXPECT_FALSE(ended.stopEnabled);
    EXPECT_TRUE(ended.exitEnabled);
    EXPECT_EQ(saveNowAfter, (std::vector<bool>{true, false, true, false}));
    ASSERT_EQ(driver.Questions().size(), 2u); // the overwrite question, then creating "other"
    EXPECT_EQ(ReadFileBytes(readOnly), (Bytes{'o', 'l', 'd'}));

    // The second batch started afresh and closed by itself when all eight were saved.
    EXPECT_EQ(driver.AtClose().progress, "8 / 8");
    const std::vector<std::string> again = BatchSaveDriver::Lines(driver.AtClose().log);
    ASSERT_EQ(again.size(), 8u);
    EXPECT_EQ(again.front(), OkLine(other + "\\explorer.exe#101.ico"));
    std::vector<std::string> written;
    quarvel::platform::ListFolder(other.c_str(), written);
    EXPECT_EQ(written.size(), 8u);
}

namespace {
// Presses Stop between the first and the second file, as a click that lands there does.
class StoppedAfterFirst : public CIconBatchSaveDlg {
public:
    using CIconBatchSaveDlg::CIconBatchSaveDlg;
    int saved = 0;

protected:
    int SaveNext(const CString& folder, CString& fileName) override {
        if (saved++ == 0)
            PostMessage(WM_COMMAND, IDC_STOP);
        return CIconBatchSaveDlg::SaveNext(folder, fileName);
    }
};
} // namespace

TEST_F(BatchSave, StopEndsTheBatchBeforeTheNextFileAndTheDialogStaysUntilExit) {
    ResourceTree tree;
    for (int id = 1; id <= 3; ++id)
        AddIconGroup(tree, id, 0, {MakeBmpImage(32, 8)}, {32}, {8}, static_cast<std::uint16_t>(id));
    const std::string three = WriteImage("three.dll", tree);
    ASSERT_EQ(quarvel::ListIconGroups(three.c_str(), &List()), 3);
    iconList->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);

    BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
    StoppedAfterFirst dialog(List(), setting.Setting());
    driver.Then([&](HWND window) {
        driver.SetReady(BatchSaveDriver::Read(window));
        // A save message that comes after Stop saves nothing.
        PostMessageA(window, WM_SAVE_NEXT, 0, 0);
        return true;
    });
    driver.Then([&](HWND window) {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    const BatchSaveDriver::Controls& stopped = driver.Ready();
    EXPECT_EQ(stopped.progress, "1 / 5");
    EXPECT_FALSE(stopped.saveNowEnabled);
    EXPECT_FALSE(stopped.stopEnabled);
    EXPECT_EQ(driver.AtClose().progress, "1 / 5");
    EXPECT_EQ(BatchSaveDriver::Lines(driver.AtClose().log),
              (std::vector<std::string>{OkLine(Target("explorer.exe#101.ico"))}));
    EXPECT_EQ(dialog.saved, 1);
    EXPECT_EQ(Written(), (std::vector<std::string>{"explorer.exe#101.ico"}));
}

namespace {
POINT MiddleOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Whether a click at a point reaches the window: it shows, its dialog is in front, and no other
// window covers the point.
bool TakesAClickAt(HWND window, POINT at) {
    HWND dialog = GetAncestor(window, GA_ROOT);
    POINT inDialog = at;
    ScreenToClient(dialog, &inDialog);
    return IsWindowVisible(window) && GetForegroundWindow() == dialog &&
           GetAncestor(WindowFromPoint(at), GA_ROOT) == dialog &&
           ChildWindowFromPointEx(dialog, inDialog, CWP_SKIPINVISIBLE) == window;
}

// A press and release of the left button over the middle of a window, through the system's
// input queue as the user's mouse makes them (a posted click would not wait behind the batch's
// posted messages the way real input does). Each event carries its place: under Wine the
// cursor set by SetCursorPos is pulled back to where the X pointer is until the display has
// taken the move, early in a fresh session, and a click at the cursor then lands elsewhere.
// Answers whether the press is in the window's queue.
bool ClickWithTheMouse(HWND window) {
    const POINT at = MiddleOf(window);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT clicks[2] = {};
    for (INPUT& click : clicks) {
        click.type = INPUT_MOUSE;
        // Absolute places run from 0 to 65535 across the screen; +1 keeps the rounding inside.
        click.mi.dx = static_cast<LONG>(at.x * 65536LL / width + 1);
        click.mi.dy = static_cast<LONG>(at.y * 65536LL / height + 1);
    }
    clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    if (SendInput(2, clicks, sizeof(INPUT)) != 2)
        return false;
    MSG press;
    return PeekMessageA(&press, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != FALSE;
}

// A batch of any size that saves nothing: it names each entry and fails every other one.
class NamingBatch : public CBatchSaveDlg {
public:
    explicit NamingBatch(int total) : CBatchSaveDlg(SaveFolderSetting{}) { m_nTotal = total; }
    int calls = 0, begun = 0, ended = 0;
    bool clickStop = false;   // clicks Stop with the mouse while the first entry is saved
    bool clickQueued = false; // the click reached the Stop button's queue

protected:
    void BeginSave(const CString&) override { ++begun; }
    int SaveNext(const CString& folder, CString& fileName) override {
        if (clickStop && calls == 0)
            clickQueued = ClickWithTheMouse(::GetDlgItem(m_hWnd, IDC_STOP));
        fileName.Format("%s\\entry %03d, with a name long enough that four hundred of them "
                        "outgrow what an edit control takes by default",
                        folder.GetString(), ++calls);
        return calls % 2;
    }
    void EndSave(const CString&) override { ++ended; }
};

} // namespace

TEST_F(BatchSave, AClickOnStopIsTakenBetweenTwoFilesOfARunningBatch) {
    // The next file's message would be taken before the click: the batch must let it in.
    NamingBatch batch(400);
    batch.clickStop = true;
    BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, false, {}, IDNO});
    // Save Now only once a click on Stop can land: in a fresh session the dialog may not yet be
    // in front when it opens.
    const DWORD opened = GetTickCount();
    driver.Then([&](HWND dialog) {
        HWND stop = GetDlgItem(dialog, IDC_STOP);
        if (!TakesAClickAt(stop, MiddleOf(stop))) {
            SetForegroundWindow(dialog);
            if (GetTickCount() - opened < 5000)
                return false;
            ADD_FAILURE() << "the Stop button cannot take a click";
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
    driver.Then([&](HWND dialog) {
        if (batch.calls == 0 || IsWindowEnabled(GetDlgItem(dialog, IDC_STOP)))
            return false; // not stopped yet
        driver.SetReady(BatchSaveDriver::Read(dialog));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_EQ(batch.DoModal(), IDCANCEL);
    EXPECT_TRUE(batch.clickQueued);
    EXPECT_LT(batch.calls, 400);
    EXPECT_EQ(batch.ended, 1);
    EXPECT_EQ(driver.Ready().progress, std::to_string(batch.calls) + " / 400");
    EXPECT_EQ(BatchSaveDriver::Lines(driver.Ready().log).size(),
              static_cast<std::size_t>(batch.calls));
    EXPECT_FALSE(driver.Ready().saveNowEnabled);
}

TEST_F(BatchSave, TheLogStartsAfreshAtItsFourHundredAndFirstEntryAndTheBarCountsPast65535) {
    // Four hundred long lines, more than an edit control takes by default, all stay, and the
    // count of those not saved follows them.
    {
        NamingBatch full(400);
        BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
        driver.ExitWhenEnded();
        EXPECT_EQ(full.DoModal(), IDCANCEL);
        const std::vector<std::string> lines = BatchSaveDriver::Lines(driver.AtClose().log);
        ASSERT_EQ(lines.size(), 401u);
        EXPECT_EQ(lines.back(), "200 of 400 not saved");
        EXPECT_TRUE(driver.Ready().logAtEnd);
    }
    NamingBatch batch(450);
    {
        BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
        driver.ExitWhenEnded();
        EXPECT_EQ(batch.DoModal(), IDCANCEL);
        EXPECT_EQ(driver.AtOpen().progressHigh, 450);
        const std::vector<std::string> lines = BatchSaveDriver::Lines(driver.AtClose().log);
        ASSERT_EQ(lines.size(), 51u);
        EXPECT_EQ(lines.front().substr(0, target.size() + 16), "Save [" + target + "\\entry 401");
        EXPECT_EQ(lines.front().substr(lines.front().size() - 5), "] ok!");
        EXPECT_EQ(lines[49].substr(lines[49].size() - 9), "] failed!");
        EXPECT_EQ(lines.back(), "225 of 450 not saved");
        EXPECT_EQ(driver.AtClose().progress, "225 / 450");
        EXPECT_EQ(driver.AtClose().progressPos, 450);
    }
    EXPECT_EQ(batch.calls, 450);
    EXPECT_EQ(batch.begun, 1);
    EXPECT_EQ(batch.ended, 1);

    // Before Save Now a stray save message saves nothing; the bar's range holds any count.
    NamingBatch large(70000);
    BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, false, {}, IDNO});
    driver.Then([&](HWND dialog) {
        EXPECT_EQ(BatchSaveDriver::Read(dialog).progressHigh, 70000);
        PostMessageA(dialog, WM_SAVE_NEXT, 0, 0);
        return true;
    });
    driver.Then([](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_EQ(large.DoModal(), IDCANCEL);
    EXPECT_EQ(large.calls, 0);
    EXPECT_EQ(large.ended, 0);
}

namespace {
// The pixels of a .bmp file of 24 or 32 bits per pixel, read by hand.
Picture ReadBmp(const Bytes& file) {
    Picture picture;
    const auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                                          file[at + 3] << 24);
    };
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return picture;
    const std::uint32_t offBits = u32(10), width = u32(18), height = u32(22);
    const int bytesPerPixel = (file[28] | file[29] << 8) / 8;
    const std::size_t stride = (width * bytesPerPixel + 3) / 4 * 4;
    if ((bytesPerPixel != 3 && bytesPerPixel != 4) || offBits + stride * height > file.size())
        return picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::size_t row = offBits + stride * (height - 1 - y); // bottom-up
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t at = row + x * bytesPerPixel;
            picture.pixels.push_back(file[at] | file[at + 1] << 8 | file[at + 2] << 16);
        }
    }
    return picture;
}
} // namespace

TEST_F(BatchSave, BitmapsAreTheIconsOnTheWindowColourAtTheSystemIconSize) {
    BatchSaveDriver driver({target, CBatchSaveDlg::kBmpFormat, true, {}, IDNO});
    SaveSelection();
    EXPECT_EQ(driver.AtClose().progress, "2 / 2");
    ASSERT_EQ(Written(),
              (std::vector<std::string>{"explorer.exe#101.bmp", "explorer.exe#102.bmp"}));
    const int size = GetSystemMetrics(SM_CXICON);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (const char* name : {"explorer.exe#101.bmp", "explorer.exe#102.bmp"}) {
        const Picture picture = ReadBmp(ReadFileBytes(Target(name)));
        ASSERT_EQ(picture.width, size) << name;
        ASSERT_EQ(picture.height, size) << name;
        // The icons' transparent quarter is the top-left one; the rest is painted.
        int transparent = 0, painted = 0;
        for (int y = 0; y < size / 2; ++y)
            for (int x = 0; x < size / 2; ++x) {
                transparent += picture.At(x, y) == window;
                painted += picture.At(x + size / 2, y + size / 2) != window;
            }
        EXPECT_EQ(transparent, size * size / 4) << name;
        EXPECT_GT(painted, size * size / 8) << name;
    }
}

TEST_F(BatchSave, PngFilesAreTheCommandLinesAndAnExistingOneIsReplacedOnlyWhenTheUserSaysSo) {
    const std::string first = Target("explorer.exe#101.png"),
                      second = Target("explorer.exe#102.png");
    const Bytes old{'o', 'l', 'd'};
    folder.Write(second.substr(folder.Path().size() + 1), old);
    {
        BatchSaveDriver driver({target, CBatchSaveDlg::kPngFormat, true, {IDCANCEL}, IDNO});
        driver.ExitWhenEnded();
        SaveSelection();
        ASSERT_EQ(driver.Questions().size(), 1u);
        EXPECT_EQ(driver.Questions()[0].text,
                  "[" + second + "] already exists. Do you want to overwrite it?");
        EXPECT_EQ(
            BatchSaveDriver::Lines(driver.AtClose().log),
            (std::vector<std::string>{OkLine(first), FailedLine(second), "1 of 2 not saved"}));
    }
    EXPECT_EQ(ReadFileBytes(second), old);
    {
        BatchSaveDriver driver({target, CBatchSaveDlg::kPngFormat, true, {IDC_YES_TO_ALL}, IDNO});
        SaveSelection();
        EXPECT_EQ(driver.Questions().size(), 1u);
        EXPECT_EQ(BatchSaveDriver::Lines(driver.AtClose().log),
                  (std::vector<std::string>{OkLine(first), OkLine(second)}));
    }
    // Nothing else is left in the folder, no temporary file either.
    EXPECT_EQ(Written(),
              (std::vector<std::string>{"explorer.exe#101.png", "explorer.exe#102.png"}));

    const std::string cliFolder = folder.File("cli");
    CreateDirectoryA(cliFolder.c_str(), nullptr);
    ASSERT_EQ(RunCli({"extract", "--format", "png", "-o", cliFolder, source}, folder.Path()).status,
              0);
    EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(cliFolder + "\\explorer.exe#101.png"));
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(cliFolder + "\\explorer.exe#102.png"));
    // The largest image of each group: 32 and 48 pixels wide (the IHDR's width, big-endian).
    const auto widthOf = [](const Bytes& png) {
        return png.size() < 24 ? -1 : png[16] << 24 | png[17] << 16 | png[18] << 8 | png[19];
    };
    EXPECT_EQ(widthOf(ReadFileBytes(first)), 32);
    EXPECT_EQ(widthOf(ReadFileBytes(second)), 48);
}

TEST_F(BatchSave, AFilteredListWithoutDuplicatesSavesExactlyTheIconsShownAndCountsTheOthers) {
    // a.ico and b.ico hold the same images (the fill worker numbers both 10), c.ico others.
    const Bytes image = MakeBmpImage(32, 8);
    const Bytes ico = MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image});
    for (const auto& [name, firstOf] :
         {std::pair{"a.ico", 10}, std::pair{"b.ico", 10}, std::pair{"c.ico", 11}}) {
        ASSERT_EQ(List().AddIconFile(folder.Write(name, ico).c_str()), 1);
        List().DescribeLastIcon(quarvel::IconFacts{}, firstOf);
    }
    // explorer.exe's groups are filtered out, b.ico hidden as a copy of a.ico.
    List().SetHideDuplicates(true);
    iconList->GetFilterBox().SetWindowText(".ico");
    ASSERT_EQ(List().GetItemCount(), 2);

    BatchSaveDriver driver({target, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
    SaveSelection();
    EXPECT_EQ(driver.AtOpen().progress, "totals: 2");
    EXPECT_EQ(Written(), (std::vector<std::string>{"a.ico", "c.ico"}));
    EXPECT_EQ(BatchSaveDriver::Lines(driver.AtClose().log),
              (std::vector<std::string>{OkLine(Target("a.ico")), OkLine(Target("c.ico")),
                                        "1 duplicate icon left out"}));

    // Shown again, the copies are saved too and nothing is said of them.
    List().SetHideDuplicates(false);
    const std::string other = folder.File("out2");
    CreateDirectoryA(other.c_str(), nullptr);
    BatchSaveDriver again({other, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
    SaveSelection();
    std::vector<std::string> names;
    quarvel::platform::ListFolder(other.c_str(), names);
    EXPECT_EQ(names, (std::vector<std::string>{"a.ico", "b.ico", "c.ico"}));
    EXPECT_EQ(BatchSaveDriver::Lines(again.AtClose().log).size(), 3u);
}
