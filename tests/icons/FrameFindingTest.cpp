// Finding an icon in Quarvel's main frame: Ctrl+F reaches the filter box, the status bar counts
// the icons shown, duplicates found by the fill worker are hidden, and the order and the hiding
// chosen are there after a restart.
#include "AppFixture.h"

#include "Registry.h"
#include "Settings.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <string>
#include <vector>

using namespace quarvel;
using namespace quarvel::test;

namespace {
// The View menu's item of a command, updated as when the menu opens: its check state and
// whether the check is a bullet.
std::pair<bool, bool> ViewMenuCheck(CMainFrame* frame, UINT command) {
    HMENU view = GetSubMenu(frame->GetMenu(), 2);
    const auto checkIn = [&](HMENU menu, int position, std::pair<bool, bool>& check) {
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), position);
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, command, FALSE, &item) || item.hSubMenu)
            return false;
        check = {(item.fState & MFS_CHECKED) != 0, (item.fType & MFT_RADIOCHECK) != 0};
        return true;
    };
    std::pair<bool, bool> check{false, false};
    // The popups first: a search by command looks into them without updating them.
    for (int i = 0; view && i < GetMenuItemCount(view); ++i)
        if (HMENU popup = GetSubMenu(view, i); popup && checkIn(popup, i, check))
            return check;
    if (view)
        checkIn(view, 2, check);
    return check;
}
} // namespace

class FindingStarted : public QuarvelStarted {
protected:
    void SetUp() override { ForgetSettings(); }
    void TearDown() override {
        QuarvelStarted::TearDown();
        ForgetSettings(); // the other tests see every icon in listed order
    }
    static void ForgetSettings() {
        StoreIconOrder(IconOrder::File);
        StoreHideDuplicates(false);
    }
    CIconListCtrl& List() { return frame->GetIconList()->GetListCtrl(); }
    std::string StatusText() { return frame->GetStatusBar().GetPaneText(0).GetString(); }
    // A folder of three .ico files, two of them the same icon, shown and filled.
    void ShowCopies() {
        const Bytes one = MakeBmpImage(32, 8, 1), other = MakeBmpImage(32, 8, 2);
        folder.Write("a.ico", MakeIcoFile({EntryFor(one, 32, 8, 0)}, {one}));
        folder.Write("b.ico", MakeIcoFile({EntryFor(other, 32, 8, 0)}, {other}));
        folder.Write("c.ico", MakeIcoFile({EntryFor(one, 32, 8, 0)}, {one}));
        frame->ShowFolder(folder.Path().c_str());
        ASSERT_TRUE(Filled());
        ASSERT_EQ(List().OwnedItemCount(), 3);
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> labels;
        for (int i = 0; i < List().GetItemCount(); ++i)
            labels.push_back(List().GetItemText(i, 0).GetString());
        return labels;
    }
    quarvel::test::TempFolder folder;
};

TEST_F(FindingStarted, CtrlFReachesTheFilterBoxAndTheStatusBarCountsTheIconsShown) {
    ASSERT_TRUE(Start());
    ShowCopies();
    const std::string filled = StatusText();
    EXPECT_EQ(filled, "3 files, 3 icons");

    CFilterEdit& box = frame->GetIconList()->GetFilterBox();
    PressCtrlIn(frame->GetFileList()->GetListCtrl(), 'F');
    EXPECT_EQ(GetFocus(), box.m_hWnd);
    box.SetWindowText("b.ico");
    EXPECT_EQ(Labels(), std::vector<std::string>{"b.ico"});
    EXPECT_EQ(StatusText(), filled + " - shown 1 of 3 icons");

    // Ctrl+F again selects the text, so that typing replaces it.
    PressCtrlIn(List(), 'F');
    EXPECT_EQ(GetFocus(), box.m_hWnd);
    const DWORD selection = static_cast<DWORD>(box.SendMessage(EM_GETSEL));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), 5);

    box.SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(Labels().size(), 3u);
    EXPECT_EQ(StatusText(), filled);
}

TEST_F(FindingStarted, DuplicatesTheFillWorkerFoundAreHiddenAndCountedInTheTooltip) {
    ASSERT_TRUE(Start());
    ShowCopies();
    EXPECT_EQ(ViewMenuCheck(frame, ID_VIEW_HIDE_DUPLICATES).first, false);
    frame->SendMessage(WM_COMMAND, ID_VIEW_HIDE_DUPLICATES);
    EXPECT_EQ(ViewMenuCheck(frame, ID_VIEW_HIDE_DUPLICATES).first, true);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"a.ico", "b.ico"}));
    EXPECT_EQ(List().DuplicatesOf(0), 1);
    EXPECT_EQ(List().DuplicatesOf(1), 0);
    EXPECT_EQ(StatusText(), "3 files, 3 icons - shown 2 of 3 icons");

    frame->SendMessage(WM_COMMAND, ID_VIEW_HIDE_DUPLICATES);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"a.ico", "b.ico", "c.ico"}));
    EXPECT_EQ(StatusText(), "3 files, 3 icons");
}

TEST_F(FindingStarted, TheOrderAndTheHidingChosenAreThereAfterARestart) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(ViewMenuCheck(frame, ID_VIEW_SORT_ICONS_FILE), std::make_pair(true, true));
    for (const auto& [command, order] :
         {std::pair{ID_VIEW_SORT_ICONS_NAME, IconOrder::Name},
          std::pair{ID_VIEW_SORT_ICONS_LARGEST, IconOrder::LargestImage},
          std::pair{ID_VIEW_SORT_ICONS_FILE, IconOrder::File}}) {
        frame->SendMessage(WM_COMMAND, command);
        EXPECT_EQ(List().GetOrder(), order);
        EXPECT_EQ(ViewMenuCheck(frame, command), std::make_pair(true, true));
        QuarvelStarted::TearDown();
        ASSERT_TRUE(Start());
        EXPECT_EQ(List().GetOrder(), order);
        EXPECT_EQ(ViewMenuCheck(frame, command), std::make_pair(true, true));
    }
    frame->SendMessage(WM_COMMAND, ID_VIEW_SORT_ICONS_NAME);
    frame->SendMessage(WM_COMMAND, ID_VIEW_HIDE_DUPLICATES);
    QuarvelStarted::TearDown();
    ASSERT_TRUE(Start());
    EXPECT_EQ(List().GetOrder(), IconOrder::Name);
    EXPECT_TRUE(List().GetHideDuplicates());
    EXPECT_EQ(ViewMenuCheck(frame, ID_VIEW_HIDE_DUPLICATES).first, true);

    // A stored value that is no order leaves the listed order.
    QuarvelStarted::TearDown();
    {
        const ScopedRegKey key =
            CreateRegKey(HKEY_CURRENT_USER, "SOFTWARE\\Vendrel\\Quarvel", KEY_SET_VALUE);
        const DWORD stored = 3;
        ASSERT_EQ(RegSetValueExA(key.Get(), "iconorder", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&stored), sizeof stored),
                  ERROR_SUCCESS);
    }
    EXPECT_EQ(LoadIconOrder(), IconOrder::File);
}
