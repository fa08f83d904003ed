// The frame's pane operations, New, Open, help, About, and the save folder.
#include "AppFixture.h"

#include "HtmlHelp.h"
#include "Settings.h"

namespace {
// The full paths of the file list's rows, top to bottom.
std::vector<std::string> listed(CMainFrame* frame) {
    CFileListCtrl& list = frame->GetFileList()->GetListCtrl();
    std::vector<std::string> paths;
    for (int row = 0; row < list.GetItemCount(); ++row)
        paths.push_back(list.GetFullPath(row).GetString());
    return paths;
}

// The open dialog: types the path into the file name box and presses OK.
ui::DialogAnswerer::Chooser typeFileName(const std::string& path) {
    return [path](HWND dialog, const ui::SeenDialog&) {
        SetDlgItemTextA(dialog, 0x47C, path.c_str());
        return IDOK;
    };
}

const char kSettingKey[] = "SOFTWARE\\Vendrel\\Quarvel";

void clearSaveFolder() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY key;
        if (RegOpenKeyExA(root, kSettingKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "savefolder");
            RegCloseKey(key);
        }
    }
}

void writeSaveFolder(HKEY root, const std::string& text) {
    HKEY key;
    ASSERT_EQ(
        RegCreateKeyExA(root, kSettingKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, "savefolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

std::string readSaveFolder(HKEY root) {
    char text[MAX_PATH] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(root, kSettingKey, "savefolder", RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return "(none)";
    return text;
}
} // namespace

TEST_F(QuarvelStarted, ShowFolderListsEveryEntryButDotsAndEmptiesTheListsFirst) {
    ASSERT_TRUE(Start());
    TempFolder folder("quarvel show folder");
    std::string a = folder.AddFile("a.exe");
    std::string b = folder.AddFile("b.ico");
    std::string sub = folder.AddFolder("sub");
    CIconListView* icons = frame->GetIconList();
    icons->GetListCtrl().AddIconFile("C:\\left over.ico");

    frame->ShowFolder(folder.path().c_str());
    ASSERT_TRUE(Filled());
    // Sorted again once filled: folders first, then by name.
    EXPECT_EQ(listed(frame), (std::vector<std::string>{sub, a, b}));
    EXPECT_EQ(icons->GetListCtrl().GetItemCount(), 1); // the left-over went, b.ico came
    // With a trailing backslash the same entries, not more.
    frame->ShowFolder((folder.path() + "\\").c_str());
    ASSERT_TRUE(Filled());
    EXPECT_EQ(listed(frame).size(), 3u);

    TempFolder empty("quarvel empty folder");
    frame->ShowFolder(empty.path().c_str());
    ASSERT_TRUE(Filled());
    EXPECT_TRUE(listed(frame).empty());
    frame->ShowFolder("C:\\no such folder here");
    ASSERT_TRUE(Filled());
    EXPECT_TRUE(listed(frame).empty());
    frame->ShowFolder("");
    EXPECT_TRUE(listed(frame).empty());
}

TEST_F(QuarvelStarted, FoundFilesReachTheFileListAndClearingEmptiesIt) {
    ASSERT_TRUE(Start());
    frame->ClearFileList(); // as a search starts: the start-up folder's entries go
    EXPECT_EQ(frame->AddFoundFile(""), 0);
    EXPECT_EQ(frame->AddFoundFile("C:\\windows\\notepad.exe"), 1);
    ASSERT_TRUE(Filled());
    EXPECT_EQ(listed(frame), std::vector<std::string>{"C:\\windows\\notepad.exe"});
    frame->ClearFileList();
    EXPECT_TRUE(listed(frame).empty());
}

TEST_F(QuarvelStarted, SearchInFolderStopsTheSearchAndShowsTheFolderOnTheSearchPage) {
    ASSERT_TRUE(Start());
    CSearchDlg* form = frame->GetSearchForm();
    form->SetLookInFolder("C:\\windows");
    form->SendMessage(WM_COMMAND, IDC_FIND);
    ASSERT_TRUE(form->IsSearching());
    frame->SearchInFolder("C:\\windows\\system32");
    EXPECT_FALSE(form->IsSearching());
    EXPECT_EQ(Browser()->GetCurrentView(), form);
    EXPECT_TRUE(form->IsWindowVisible());
    EXPECT_FALSE(Tree()->IsWindowVisible());
    EXPECT_EQ(ui::WindowText(::GetDlgItem(form->m_hWnd, IDC_LOOK_IN)), "C:\\windows\\system32");
    form->SendMessage(WM_COMMAND, IDC_FIND);
    ASSERT_TRUE(form->IsSearching());
    frame->StopSearch();
    EXPECT_FALSE(form->IsSearching());
}

TEST_F(QuarvelStarted, NewRestoresTheCaptionAndOpenShowsTheFileTitle) {
    ASSERT_TRUE(Start());
    TempFolder folder("quarvel open");
    std::string file = folder.AddFile("picked.txt");
    {
        ui::DialogAnswerer answerer(typeFileName(file));
        frame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
        ui::PumpPending();
    }
    EXPECT_EQ(Caption(), "picked.txt - C:\\");
    ASSERT_FALSE(theApp.GetRecentFiles().empty());
    EXPECT_STRCASEEQ(theApp.GetRecentFiles().front(), file.c_str());
    // The framework keeps the list in the per-user profile of the application.
    theApp.SaveStdProfileSettings();
    char stored[MAX_PATH] = "";
    DWORD size = sizeof stored;
    EXPECT_EQ(
        RegGetValueA(HKEY_CURRENT_USER,
                     "Software\\Local AppWizard-Generated Applications\\Quarvel\\Recent File List",
                     "File1", RRF_RT_REG_SZ, nullptr, stored, &size),
        ERROR_SUCCESS);
    EXPECT_STRCASEEQ(stored, file.c_str());

    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_EQ(Caption(), "Quarvel v1.0 - C:\\");
    EXPECT_EQ(AfxGetMainWnd(), frame); // the same window
}

TEST_F(QuarvelStarted, AboutBoxShowsTheVersionAndClosesWithOK) {
    ASSERT_TRUE(Start());
    ui::DialogAnswerer answerer(IDOK);
    frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].caption, "About Quarvel");
    EXPECT_NE(answerer.Seen()[0].text.find("Quarvel 1.00"), std::string::npos);
    EXPECT_TRUE(frame->IsWindowEnabled()); // the owner is back
}

TEST_F(QuarvelStarted, HelpWithoutItsFileReturns) {
    ASSERT_TRUE(Start());
    ui::DialogAnswerer answerer(IDOK); // whatever the viewer says about the missing file
    frame->SendMessage(WM_COMMAND, ID_HELP_FINDER);
    ui::PumpPending();
    EXPECT_TRUE(IsWindow(frame->m_hWnd));
}

TEST(HelpFile, LiesBesideTheProgram) {
    EXPECT_STREQ(HelpFileBeside("C:\\Program Files\\Quarvel\\Quarvel.exe"),
                 "C:\\Program Files\\Quarvel\\Quarvel.chm");
    EXPECT_STREQ(HelpFileBeside("Quarvel.exe"), "Quarvel.exe\\Quarvel.chm");
}

TEST(SaveFolder, IsStoredPerUserAndReadFromTheUserThenTheMachine) {
    clearSaveFolder();
    EXPECT_STREQ(LoadSaveFolder(), "c:\\temp\\");
    // A machine-wide value is offered while the user has none.
    writeSaveFolder(HKEY_LOCAL_MACHINE, "C:\\users");
    EXPECT_STREQ(LoadSaveFolder(), "C:\\users");
    // Storing writes the user's value and leaves the machine's alone.
    StoreSaveFolder("C:\\windows");
    EXPECT_EQ(readSaveFolder(HKEY_CURRENT_USER), "C:\\windows");
    EXPECT_EQ(readSaveFolder(HKEY_LOCAL_MACHINE), "C:\\users");
    EXPECT_STREQ(LoadSaveFolder(), "C:\\windows");
    // Only folders that exist are stored.
    StoreSaveFolder("C:\\no such folder\\");
    StoreSaveFolder("");
    EXPECT_STREQ(LoadSaveFolder(), "C:\\windows");

    // An empty or overlong user value gives way to the machine's, and both to the default.
    writeSaveFolder(HKEY_CURRENT_USER, "");
    EXPECT_STREQ(LoadSaveFolder(), "C:\\users");
    writeSaveFolder(HKEY_CURRENT_USER, std::string(400, 'x'));
    EXPECT_STREQ(LoadSaveFolder(), "C:\\users");
    writeSaveFolder(HKEY_LOCAL_MACHINE, "");
    EXPECT_STREQ(LoadSaveFolder(), "c:\\temp\\");
    clearSaveFolder();
}

TEST_F(QuarvelStarted, ExitClosesTheWindowAndEndsTheMessageLoop) {
    ASSERT_TRUE(Start());
    MSG stale;
    while (PeekMessageA(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    frame = nullptr;
}
