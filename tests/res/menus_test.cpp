// Menus, accelerators and the toolbar resource: items, ids and order as the program binds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "resource.h"
#include "resource_reader.h"

using restest::MenuEntries;
using restest::MenuEntry;

namespace {

constexpr UINT kSeparator = 0;

struct Item {
    UINT id; // kSeparator for a separator
    const char* text;
};

class LoadedMenu {
public:
    explicit LoadedMenu(int id)
        : menu_(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))) {}
    ~LoadedMenu() {
        if (menu_)
            DestroyMenu(menu_);
    }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;
    HMENU get() const { return menu_; }

private:
    HMENU menu_;
};

void ExpectItems(HMENU popup, const std::vector<Item>& expected, const char* where) {
    std::vector<MenuEntry> actual = MenuEntries(popup);
    ASSERT_EQ(actual.size(), expected.size()) << where;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].id == kSeparator) {
            EXPECT_TRUE(actual[i].separator) << where << " item " << i;
            continue;
        }
        EXPECT_FALSE(actual[i].separator) << where << " item " << i;
        EXPECT_EQ(actual[i].id, expected[i].id) << where << " item " << i;
        EXPECT_EQ(actual[i].text, expected[i].text) << where << " item " << i;
    }
}

TEST(Menus, MainMenuHasFourPopupsInOrder) {
    LoadedMenu menu(IDR_MAINFRAME);
    ASSERT_TRUE(menu.get());
    std::vector<MenuEntry> bar = MenuEntries(menu.get());
    ASSERT_EQ(bar.size(), 4u);
    const char* names[] = {"&File", "&Edit", "&View", "&Help"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(bar[i].popup);
        EXPECT_EQ(bar[i].text, names[i]);
    }
    HMENU m = menu.get();
    ExpectItems(GetSubMenu(m, 0), {{20156, "&Save As\tCtrl+E"}, {kSeparator, ""}, {57665, "E&xit"}},
                "File");
    ExpectItems(GetSubMenu(m, 1), {{57634, "&Copy\tCtrl+C"}, {57642, "Select &All\tCtrl+A"}},
                "Edit");
    ExpectItems(GetSubMenu(m, 2),
                {{59392, "&Toolbar"},
                 {59393, "&Status Bar"},
                 {kSeparator, ""},
                 {32771, "&Back"},
                 {32772, "&Forward"},
                 {32773, "&Up"},
                 {32774, "F&resh"}},
                "View");
    ExpectItems(GetSubMenu(m, 3),
                {{57667, "&Content"},
                 {kSeparator, ""},
                 {32778, "&Web page"},
                 {kSeparator, ""},
                 {57664, "&About Quarvel..."}},
                "Help");
}

TEST(Menus, FolderRowMenu) {
    LoadedMenu menu(IDR_FOLDER_POPUP);
    ASSERT_TRUE(menu.get());
    std::vector<MenuEntry> bar = MenuEntries(menu.get());
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].text, "_POPUP_");
    ExpectItems(GetSubMenu(menu.get(), 0),
                {{20162, "&Open"},
                 {20167, "&Properties"},
                 {kSeparator, ""},
                 {32779, "Search"},
                 {kSeparator, ""},
                 {20170, "Copy Path"},
                 {20171, "Dos command prompt"}},
                "_POPUP_");
}

TEST(Menus, IconContextMenu) {
    LoadedMenu menu(IDR_ICON_POPUP);
    ASSERT_TRUE(menu.get());
    std::vector<MenuEntry> bar = MenuEntries(menu.get());
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].text, "ONRCLICK");
    ExpectItems(GetSubMenu(menu.get(), 0),
                {{57634, "&Copy to Clipboard"}, {57642, "Select &All"}, {20156, "Save Icon As"}},
                "ONRCLICK");
}

using Key = std::tuple<BYTE, WORD, WORD>; // modifiers (with FVIRTKEY), key, command

std::vector<Key> Keys(std::vector<Key> keys) {
    std::sort(keys.begin(), keys.end());
    return keys;
}

TEST(Accelerators, MainTableHoldsExactlyTheStandardKeys) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_TRUE(table);
    ACCEL entries[64];
    int count = CopyAcceleratorTableA(table, entries, 64);
    std::vector<Key> actual;
    for (int i = 0; i < count; ++i)
        actual.emplace_back(entries[i].fVirt, entries[i].key, entries[i].cmd);

    const BYTE ctrl = FVIRTKEY | FCONTROL, shift = FVIRTKEY | FSHIFT, alt = FVIRTKEY | FALT;
    std::vector<Key> expected = {
        {ctrl, 'N', 57600},       {ctrl, 'O', 57601},        {ctrl, 'S', 57603},
        {ctrl, 'Z', 57643},       {ctrl, 'X', 57635},        {ctrl, 'C', 57634},
        {ctrl, 'V', 57637},       {alt, VK_BACK, 57643},     {shift, VK_DELETE, 57635},
        {ctrl, VK_INSERT, 57634}, {shift, VK_INSERT, 57637}, {FVIRTKEY, VK_F6, 57680},
        {shift, VK_F6, 57681},
    };
    EXPECT_EQ(Keys(actual), Keys(expected));
    DestroyAcceleratorTable(table);
}

TEST(Toolbar, ButtonsInOrderWithSixteenPixelImages) {
    std::vector<unsigned char> data = restest::ResourceBytes(MAKEINTRESOURCEA(241), IDR_MAINFRAME);
    ASSERT_GE(data.size(), 8u);
    auto word = [&](size_t k) { return static_cast<WORD>(data[2 * k] | data[2 * k + 1] << 8); };
    EXPECT_EQ(word(0), 1) << "version";
    EXPECT_EQ(word(1), 16) << "image width";
    EXPECT_EQ(word(2), 16) << "image height";
    std::vector<WORD> buttons;
    for (size_t k = 0; k < word(3) && 4 + k < data.size() / 2; ++k)
        buttons.push_back(word(4 + k));
    std::vector<WORD> expected = {32771, 32772, 32773, 32774, 0, 57634, 20156, 0, 57667, 57664};
    EXPECT_EQ(buttons, expected);
}

} // namespace
