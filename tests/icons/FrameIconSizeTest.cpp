// The icon size in Quarvel's main frame: View > Icon Size, Ctrl + plus / minus and Ctrl + wheel
// step through the sizes and move the menu's check; the size chosen is there after a restart.
#include "AppFixture.h"

#include "IconSize.h"
#include "Registry.h"
#include "Settings.h"

#include <vector>

using namespace quarvel;

namespace {
// The View menu's Icon Size popup, its items updated as when it opens.
HMENU IconSizeMenu(CMainFrame* frame) {
    HMENU view = GetSubMenu(frame->GetMenu(), 2);
    for (int i = 0; view && i < GetMenuItemCount(view); ++i)
        if (HMENU popup = GetSubMenu(view, i))
            if (GetMenuItemID(popup, 0) == ID_VIEW_ICON_SIZE_SMALL) {
                frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), i);
                return popup;
            }
    return nullptr;
}

// The sizes whose items are checked, each with a bullet.
std::vector<int> CheckedSizes(CMainFrame* frame) {
    std::vector<int> checked;
    HMENU menu = IconSizeMenu(frame);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item) &&
            (item.fState & MFS_CHECKED) && (item.fType & MFT_RADIOCHECK))
            checked.push_back(kIconSizes[item.wID - ID_VIEW_ICON_SIZE_SMALL]);
    }
    return checked;
}

void TurnWheel(CIconListCtrl& list, int delta, WPARAM keys = MK_CONTROL) {
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), MAKELPARAM(10, 10));
}
} // namespace

class IconSizeStarted : public QuarvelStarted {
protected:
    void SetUp() override { StoreIconSize(kDefaultIconSize); }
    void TearDown() override {
        QuarvelStarted::TearDown();
        StoreIconSize(kDefaultIconSize); // the other tests see today's cells
    }
    CIconListCtrl& List() { return frame->GetIconList()->GetListCtrl(); }
    // The frame, the list and its cells agree on the size, at the window's DPI.
    void ExpectSize(int size) {
        EXPECT_EQ(frame->GetIconSize(), size);
        EXPECT_EQ(List().GetIconSize(), size);
        EXPECT_EQ(List().GetCellSide(), IconCellSide(size, frame->GetDpi()));
        EXPECT_EQ(CheckedSizes(frame), std::vector<int>{size});
    }
};

TEST_F(IconSizeStarted, MenuKeysAndCtrlWheelStepThroughTheSizesAndTheMenuChecksTheOneShown) {
    ASSERT_TRUE(Start());
    ExpectSize(32);
    EXPECT_EQ(IconCellSide(32, frame->GetDpi()),
              AfxGetSystemMetricForDpi(SM_CXICON, frame->GetDpi())); // today's cells

    // Every item of the menu.
    for (UINT command = ID_VIEW_ICON_SIZE_SMALL; command <= ID_VIEW_ICON_SIZE_JUMBO; ++command) {
        frame->SendMessage(WM_COMMAND, command);
        ExpectSize(kIconSizes[command - ID_VIEW_ICON_SIZE_SMALL]);
    }

    // Ctrl + minus on the main keyboard and the keypad, held at the smallest size.
    for (int size : {96, 48, 32, 16, 16}) {
        PressCtrlIn(List(), size % 32 ? VK_SUBTRACT : VK_OEM_MINUS);
        ExpectSize(size);
    }
    // Ctrl + plus on both, held at the largest.
    for (int size : {32, 48, 96, 256, 256}) {
        PressCtrlIn(List(), size % 32 ? VK_ADD : VK_OEM_PLUS);
        ExpectSize(size);
    }

    // The wheel: a notch a step, finer turns add up, and without Ctrl it only scrolls.
    TurnWheel(List(), -WHEEL_DELTA);
    ExpectSize(96);
    TurnWheel(List(), -WHEEL_DELTA / 2);
    ExpectSize(96);
    TurnWheel(List(), -WHEEL_DELTA / 2);
    ExpectSize(48);
    TurnWheel(List(), -2 * WHEEL_DELTA);
    ExpectSize(16);
    TurnWheel(List(), WHEEL_DELTA, 0);
    ExpectSize(16);
    TurnWheel(List(), WHEEL_DELTA);
    ExpectSize(32);
}

TEST_F(IconSizeStarted, TheSizeChosenIsShownAgainAfterARestartAndAStrangeStoredValueIsIgnored) {
    ASSERT_TRUE(Start());
    frame->SendMessage(WM_COMMAND, ID_VIEW_ICON_SIZE_EXTRA_LARGE);
    QuarvelStarted::TearDown();
    ASSERT_TRUE(Start());
    ExpectSize(96);

    // A value no size has, or of another type, leaves the default.
    QuarvelStarted::TearDown();
    for (const DWORD stored : {DWORD{64}, DWORD{0xFFFFFFFF}}) {
        const ScopedRegKey key =
            CreateRegKey(HKEY_CURRENT_USER, "SOFTWARE\\Vendrel\\Quarvel", KEY_SET_VALUE);
        ASSERT_TRUE(key);
        ASSERT_EQ(RegSetValueExA(key.Get(), "iconsize", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&stored), sizeof stored),
                  ERROR_SUCCESS);
        EXPECT_EQ(LoadIconSize(), kDefaultIconSize) << stored;
    }
    {
        const ScopedRegKey key =
            CreateRegKey(HKEY_CURRENT_USER, "SOFTWARE\\Vendrel\\Quarvel", KEY_SET_VALUE);
        ASSERT_EQ(RegSetValueExA(key.Get(), "iconsize", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>("256"), 4),
                  ERROR_SUCCESS);
    }
    ASSERT_TRUE(Start());
    ExpectSize(32);
    StoreIconSize(48);
    EXPECT_EQ(LoadIconSize(), 48);
    StoreIconSize(50); // not a size: the stored one stays
    EXPECT_EQ(LoadIconSize(), 48);
}
