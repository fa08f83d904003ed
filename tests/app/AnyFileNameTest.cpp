// Names outside the legacy code page: a folder and files named in Polish, Greek, Japanese and
// with an emoji are shown, sorted, copied, saved into and searched for under their real names.
#include "AppFixture.h"
#include "BatchSaveDriver.h"
#include "Settings.h"

#include "engine/platform/FileSystem.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <algorithm>

namespace {
using Names = std::vector<std::string>;

const std::string kFolder = u8"Łódź Ελλάδα 日本 😀";
const std::string kProgram = u8"żółw-αβγ-東京-🎨.exe";
const std::string kIconFile = u8"ω-猫-🐱.ico";
const std::string kGroup = u8"ŻÓŁW-猫";
const std::string kSaveFolder = u8"Zapisane Αποθήκη 保存 💾";
// In the order of the case-insensitive rule: a byte-wise one would put "ŁÓDŹ" before "łabędź".
const Names kSubfolders = {"apple", "Zebra", u8"łabędź", u8"ŁÓDŹ", u8"żaba"};

bool IsFile(const std::string& path) {
    return quarvel::platform::GetPathKind(path.c_str()) == quarvel::platform::PathKind::File;
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The save dialog answered a moment after it shows: the folder it opened in and the name it
// proposed are read, then `typed` is entered and OK pressed (Cancel when it is empty).
struct SaveAnswer {
    std::string typed, openedIn, proposed;
};
SaveAnswer* pendingAnswer = nullptr;
HWND pendingDialog = nullptr;

void CALLBACK AnswerSave(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    char text[4 * MAX_PATH] = "";
    SendMessageA(pendingDialog, CDM_GETFOLDERPATH, sizeof text, reinterpret_cast<LPARAM>(text));
    pendingAnswer->openedIn = text;
    GetDlgItemTextA(pendingDialog, 0x47C, text, sizeof text); // the file name box
    pendingAnswer->proposed = text;
    SetDlgItemTextA(pendingDialog, 0x47C, pendingAnswer->typed.c_str());
    PostMessageA(pendingDialog, WM_COMMAND, pendingAnswer->typed.empty() ? IDCANCEL : IDOK, 0);
}

SaveAnswer SaveAs(CWnd* pane, const std::string& typed) {
    SaveAnswer answer{typed, "(not shown)", ""};
    ui::DialogAnswerer answerer([&](HWND dialog, const ui::SeenDialog&) {
        pendingAnswer = &answer;
        pendingDialog = dialog;
        SetTimer(nullptr, 0, 100, AnswerSave);
        return 0;
    });
    pane->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
    ui::PumpPending();
    return answer;
}
} // namespace

class AnyFileName : public QuarvelStarted {
protected:
    void SetUp() override {
        // The program's manifest makes UTF-8 the test's code page too: without it nothing here
        // would be tested.
        ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
        folder = root.File(kFolder);
        saveFolder = root.File(kSaveFolder);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(saveFolder.c_str(), nullptr));
        for (const std::string& name : kSubfolders)
            CreateDirectoryA((folder + "\\" + name).c_str(), nullptr);
        using namespace quarvel::test;
        ResourceTree tree;
        AddIconGroup(tree, kGroupKey, 0, {MakeBmpImage(32, 8)}, {32}, {8}, 1);
        AddIconGroup(tree, 2, 0, {MakeBmpImage(16, 4)}, {16}, {4}, 2);
        program = root.Write(kFolder + "\\" + kProgram, BuildImageWithResources(tree));
        const Bytes image = MakeBmpImage(32, 32);
        iconFile = root.Write(kFolder + "\\" + kIconFile,
                              MakeIcoFile({EntryFor(image, 32, 32, 1)}, {image}));
    }
    void TearDown() override {
        QuarvelStarted::TearDown();
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "SOFTWARE\\Vendrel\\Quarvel", "savefolder");
    }

    CFileListCtrl& Files() { return frame->GetFileList()->GetListCtrl(); }
    CIconListCtrl& Icons() { return frame->GetIconList()->GetListCtrl(); }
    int IconLabelled(const std::string& label) {
        for (int i = 0; i < Icons().GetItemCount(); ++i)
            if (Icons().GetItemText(i, 0).str() == label)
                return i;
        return -1;
    }
    void SelectOnly(CListCtrl& list, int index) {
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ui::PumpPending();
    }

    static constexpr const char16_t* kGroupKey = u"ŻÓŁW-猫";
    quarvel::test::TempFolder root;
    std::string folder, saveFolder, program, iconFile;
};

TEST_F(AnyFileName, TheTreeTheFileListAndTheIconLabelsShowTheRealNamesInOrder) {
    ASSERT_TRUE(Start(("\"" + folder + "\"").c_str()));
    CFolderTreeCtrl& tree = Tree()->GetTreeCtrl();
    const HTREEITEM selected = tree.GetSelectedItem();
    EXPECT_EQ(tree.GetItemText(selected).str(), kFolder);
    EXPECT_EQ(Caption(), "Quarvel v1.0 - " + folder);
    tree.Expand(selected, TVE_EXPAND);
    Names children;
    for (HTREEITEM child = tree.GetChildItem(selected); child;
         child = tree.GetNextSiblingItem(child))
        children.push_back(tree.GetItemText(child).str());
    EXPECT_EQ(children, kSubfolders);

    // Folders first, in the same order, then the files with their icon counts.
    Names rows;
    for (int row = 0; row < Files().GetItemCount(); ++row)
        rows.push_back(Files().GetItemText(row, kNameColumn).str() + "|" +
                       Files().GetItemText(row, kIconsColumn).str());
    Names expected;
    for (const std::string& name : kSubfolders)
        expected.push_back(name + "|");
    expected.push_back(kProgram + "|2");
    expected.push_back(kIconFile + "|1");
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(Files().GetFullPath(5).str(), program);

    Names labels;
    for (int i = 0; i < Icons().GetItemCount(); ++i)
        labels.push_back(Icons().GetItemText(i, 0).str());
    EXPECT_EQ(Sorted(labels), Sorted({kGroup + "\r\n" + kProgram, "2\r\n" + kProgram, kIconFile}));

    // Copy Path gives other programs the real name as Unicode text, whatever their code page.
    SelectOnly(Files(), 5);
    frame->GetFileList()->SendMessage(WM_COMMAND, ID_COPY_PATH);
    EXPECT_EQ(ui::ClipboardText(), program);
}

TEST_F(AnyFileName, SaveAsOpensInTheFolderLastSavedIntoAndWritesUnderTheRealName) {
    StoreSaveFolder(saveFolder.c_str());
    ASSERT_TRUE(Start(("\"" + folder + "\"").c_str()));
    const int group = IconLabelled(kGroup + "\r\n" + kProgram);
    ASSERT_GE(group, 0);
    SelectOnly(Icons(), group);

    // A bare name is saved in the folder the dialog opened in: the remembered one.
    const std::string name = u8"zapis-żółw-保存-💾.ico";
    SaveAnswer answer = SaveAs(frame->GetIconList(), name);
    EXPECT_EQ(answer.openedIn, saveFolder);
    EXPECT_EQ(answer.proposed, kProgram + "#" + kGroup);
    EXPECT_TRUE(IsFile(saveFolder + "\\" + name));

    // Saving elsewhere, from the image pane, makes that folder the remembered one.
    ASSERT_TRUE(
        ui::PumpUntil([&] { return frame->GetSubIconView()->GetListBox().GetCount() > 0; }));
    frame->GetSubIconView()->GetListBox().SetSel(0);
    const std::string elsewhere = folder + "\\" + u8"obraz-εικόνα-画像.ico";
    answer = SaveAs(frame->GetSubIconView(), elsewhere);
    EXPECT_EQ(answer.openedIn, saveFolder);
    EXPECT_TRUE(IsFile(elsewhere));
    EXPECT_EQ(LoadRememberedSaveFolder().str(), folder);

    // A remembered folder that is gone leaves the dialog as it opens without one: the proposed
    // name alone, in the folder the system chooses.
    StoreSaveFolder(saveFolder.c_str());
    DeleteFileA((saveFolder + "\\" + name).c_str());
    SetCurrentDirectoryA("C:\\"); // the dialog may have left the process in the folder
    ASSERT_TRUE(RemoveDirectoryA(saveFolder.c_str()));
    answer = SaveAs(frame->GetIconList(), "");
    EXPECT_EQ(answer.proposed, kProgram + "#" + kGroup);
    EXPECT_NE(answer.openedIn, saveFolder);
}

TEST_F(AnyFileName, TheBatchSaveAndTheSearchFindTheFilesUnderTheirRealNames) {
    ASSERT_TRUE(Start(("\"" + folder + "\"").c_str()));
    frame->GetIconList()->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    {
        BatchSaveDriver driver({saveFolder, CBatchSaveDlg::kIcoFormat, true, {}, IDNO});
        frame->GetIconList()->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        EXPECT_EQ(driver.AtClose().progress, "3 / 3");
    }
    const std::string named = saveFolder + "\\" + kProgram + "#" + kGroup + ".ico";
    for (const std::string& saved :
         {named, saveFolder + "\\" + kProgram + "#2.ico", saveFolder + "\\" + u8"ω-猫-🐱.ico"})
        EXPECT_TRUE(IsFile(saved)) << saved;

    // The search, by type, walks into the folder and finds both files.
    frame->SearchInFolder(root.Path().c_str());
    CSearchDlg* form = frame->GetSearchForm();
    HWND allFiles = GetDlgItem(form->m_hWnd, IDC_ALL_FILES);
    if (SendMessageA(allFiles, BM_GETCHECK, 0, 0) == BST_CHECKED)
        SendMessageA(allFiles, BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(form->m_hWnd, IDC_FIND), BM_CLICK, 0, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return !form->IsSearching(); }, 20000));
    // The end of the search hands its last files to the file list, which reads them in later.
    ASSERT_TRUE(Filled());
    Names found;
    for (int row = 0; row < Files().GetItemCount(); ++row)
        found.push_back(Files().GetFullPath(row).str());
    EXPECT_EQ(Sorted(found),
              Sorted({program, iconFile, named, saveFolder + "\\" + kProgram + "#2.ico",
                      saveFolder + "\\" + u8"ω-猫-🐱.ico"}));
}
