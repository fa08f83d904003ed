// The batch save inside Quarvel's main frame: the folder it offers and where it remembers it.
#include "AppFixture.h"
#include "BatchSaveDriver.h"

#include "support/IconData.h"
#include "support/TempFiles.h"

#include "engine/IconGroups.h"

#include <functional>

using namespace quarvel::test;

namespace {
const char kSettingKey[] = "SOFTWARE\\Vendrel\\Quarvel";

void setSaveFolder(HKEY root, const char* folder) {
    HKEY key;
    if (RegCreateKeyExA(root, kSettingKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (folder)
        RegSetValueExA(key, "savefolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                       static_cast<DWORD>(lstrlenA(folder) + 1));
    else
        RegDeleteValueA(key, "savefolder");
    RegCloseKey(key);
}

std::string userSaveFolder() {
    char text[MAX_PATH] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingKey, "savefolder", RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return "(none)";
    return text;
}
} // namespace

TEST_F(QuarvelStarted, BatchSaveOffersTheMachineFolderAndTheCloseBoxStoresItForTheUser) {
    ASSERT_TRUE(Start());
    CIconListView* icons = frame->GetIconList();
    quarvel::test::TempFolder folder;
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {MakeBmpImage(32, 8)}, {32}, {8}, 1);
    AddIconGroup(tree, 2, 0, {MakeBmpImage(32, 8)}, {32}, {8}, 2);
    const std::string file = folder.Write("two.dll", BuildImageWithResources(tree));
    ASSERT_EQ(quarvel::ListIconGroups(file.c_str(), &icons->GetListCtrl()), 2);
    icons->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    const auto runUntil = [&](std::function<void(HWND)> leave, std::string browseTo = "") {
        BatchSaveDriver driver({"", CBatchSaveDlg::kIcoFormat, false, {}, IDNO, browseTo});
        driver.Then([&](HWND dialog) {
            leave(dialog);
            return true;
        });
        icons->SendMessage(WM_COMMAND, ID_SAVE_ICON_AS);
        return driver.AtOpen().folder;
    };

    // Only a machine-wide folder is there: it is offered; Exit stores nothing.
    setSaveFolder(HKEY_CURRENT_USER, nullptr);
    setSaveFolder(HKEY_LOCAL_MACHINE, "C:\\windows");
    EXPECT_EQ(runUntil([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }),
              "C:\\windows");
    EXPECT_EQ(userSaveFolder(), "(none)");

    // The close box stores the folder for the user; text only typed into the box is not read.
    runUntil([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SAVE_FOLDER, "C:\\users");
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(userSaveFolder(), "C:\\windows");

    // A folder picked with the browse button is the one the close box stores.
    const std::string picked = "C:\\users";
    EXPECT_EQ(runUntil(
                  [](HWND dialog) {
                      SendMessageA(dialog, WM_COMMAND, IDC_BROWSE_SAVE_FOLDER, 0);
                      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                  },
                  picked),
              "C:\\windows");
    EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, userSaveFolder().c_str(), -1,
                             picked.c_str(), -1),
              CSTR_EQUAL)
        << userSaveFolder() << " / " << picked;
    setSaveFolder(HKEY_CURRENT_USER, nullptr);
    setSaveFolder(HKEY_LOCAL_MACHINE, nullptr);
}
