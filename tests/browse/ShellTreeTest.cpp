// The folder tree control on its own: network items and share marks through doubles of the
// network and share calls (Wine here has no network), and its keys and label editing.
#include "ShareEnumerator.h"
#include "ShellTreeCtrl.h"
#include "UiHarness.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <lm.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {
// A small network: a domain holding a server that shares "docs".
struct FakeEntry {
    DWORD displayType;
    const char* remote;
    const char* comment;
};
const std::map<std::string, std::vector<FakeEntry>> kNetwork = {
    {"", {{RESOURCEDISPLAYTYPE_DOMAIN, "WORKGROUP", nullptr}}},
    {"WORKGROUP", {{RESOURCEDISPLAYTYPE_SERVER, "\\\\SERVER1", nullptr}}},
    {"\\\\SERVER1", {{RESOURCEDISPLAYTYPE_SHARE, "\\\\SERVER1\\docs", "Documents"}}},
};
std::vector<std::string> openedFor; // remote name of each enumeration opened ("" for the root)
int moreDataAnswers = 0;

DWORD WINAPI fakeOpen(DWORD, DWORD, DWORD, LPNETRESOURCEA from, LPHANDLE handle) {
    openedFor.push_back(from && from->lpRemoteName ? from->lpRemoteName : "");
    *handle = reinterpret_cast<HANDLE>(openedFor.size());
    return NO_ERROR;
}

DWORD WINAPI fakeEnum(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size) {
    const std::string& parent = openedFor.at(reinterpret_cast<size_t>(handle) - 1);
    const auto found = kNetwork.find(parent);
    if (found == kNetwork.end())
        return ERROR_NO_MORE_ITEMS;
    // The root's answer claims to need more than the first buffer holds.
    if (parent.empty() && *size < 20000) {
        ++moreDataAnswers;
        *size = 20000;
        return ERROR_MORE_DATA;
    }
    const auto& entries = found->second;
    auto* records = static_cast<NETRESOURCEA*>(buffer);
    char* strings = reinterpret_cast<char*>(records + entries.size());
    auto copy = [&strings](const char* text) -> char* {
        if (!text)
            return nullptr;
        char* at = strings;
        std::strcpy(at, text);
        strings += std::strlen(text) + 1;
        return at;
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        records[i] = NETRESOURCEA{};
        records[i].dwScope = RESOURCE_GLOBALNET;
        records[i].dwDisplayType = entries[i].displayType;
        records[i].lpRemoteName = copy(entries[i].remote);
        records[i].lpComment = copy(entries[i].comment);
    }
    *count = static_cast<DWORD>(entries.size());
    return NO_ERROR;
}

DWORD WINAPI fakeClose(HANDLE) {
    return NO_ERROR;
}

// Counts the popup menus opened and closes each one as soon as it is up.
int menusShown = 0;
HHOOK menuHook = nullptr;
LRESULT CALLBACK countMenus(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(lParam)->message == WM_INITMENUPOPUP)
        ++menusShown;
    return CallNextHookEx(menuHook, code, wParam, lParam);
}
void CALLBACK closeMenu(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

std::vector<ShareEntry> fakeShares() {
    return {{"C:\\windows", STYPE_DISKTREE}, {"C:\\users", STYPE_DISKTREE | STYPE_SPECIAL}};
}
} // namespace

class ShellTree : public ::testing::Test {
protected:
    void SetUp() override {
        openedFor.clear();
        moreDataAnswers = 0;
        ASSERT_TRUE(host.wnd.m_hWnd);
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                                    TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                                RECT{0, 0, 380, 560}, &host.wnd, 100));
        tree.SetNetworkCalls(NetworkCalls{&fakeOpen, &fakeEnum, &fakeClose});
        tree.OnInitialFill();
    }
    void TearDown() override {
        ShareEnumerator::Instance().SetSource(nullptr);
        host.wnd.DestroyWindow(); // before the tree object goes
        ui::PumpPending();
    }
    std::vector<std::string> ChildTexts(HTREEITEM parent) {
        std::vector<std::string> texts;
        for (HTREEITEM child = tree.GetChildItem(parent); child;
             child = tree.GetNextSiblingItem(child))
            texts.push_back(tree.GetItemText(child).GetString());
        return texts;
    }
    UINT Overlay(HTREEITEM item) { return tree.GetItemState(item, TVIS_OVERLAYMASK); }
    bool Key(UINT message, WPARAM key, bool alt = false) {
        MSG msg{tree.m_hWnd, message, key, alt ? (1 << 29) : 0, 0, {0, 0}};
        return tree.PreTranslateMessage(&msg) != FALSE;
    }

    ui::HostWindow host{400, 600, WS_OVERLAPPEDWINDOW | WS_VISIBLE};
    CShellTreeCtrl tree;
};

TEST_F(ShellTree, NetworkItemsComeFromTheEnumerationAndSharesShowOnlyTheirName) {
    const HTREEITEM network = tree.GetNetworkRoot();
    tree.Expand(network, TVE_EXPAND);
    EXPECT_EQ(moreDataAnswers, 1); // the buffer grew once, then the entries came
    ASSERT_EQ(ChildTexts(network), std::vector<std::string>{"WORKGROUP"});
    const HTREEITEM domain = tree.GetChildItem(network);
    EXPECT_EQ(tree.GetItemInfo(domain)->networkNode, 1);
    tree.Expand(domain, TVE_EXPAND);
    ASSERT_EQ(ChildTexts(domain), std::vector<std::string>{"SERVER1"});
    const HTREEITEM server = tree.GetChildItem(domain);
    EXPECT_STREQ(tree.ItemToPath(server), "\\\\SERVER1");
    tree.Expand(server, TVE_EXPAND);
    ASSERT_EQ(ChildTexts(server), std::vector<std::string>{"docs"});
    const HTREEITEM share = tree.GetChildItem(server);
    EXPECT_STREQ(tree.ItemToPath(share), "\\\\SERVER1\\docs");
    EXPECT_EQ(Overlay(share), static_cast<UINT>(INDEXTOOVERLAYMASK(1)));
    EXPECT_EQ(openedFor, (std::vector<std::string>{"", "WORKGROUP", "\\\\SERVER1"}));

    // A UNC path is found through the servers already in the tree.
    tree.SelectItem(tree.GetComputerRoot());
    EXPECT_EQ(tree.SetSelectedPath("\\\\SERVER1\\docs", false), share);
    EXPECT_EQ(tree.GetSelectedItem(), share);
    EXPECT_EQ(tree.SetSelectedPath("\\\\OTHER\\docs", false), nullptr);
}

TEST_F(ShellTree, WithoutANetworkTheNetworkRootStaysEmpty) {
    tree.SetNetworkCalls(NetworkCalls{}); // Wine's own: no network here
    tree.Expand(tree.GetNetworkRoot(), TVE_EXPAND);
    EXPECT_TRUE(ChildTexts(tree.GetNetworkRoot()).empty());
}

TEST_F(ShellTree, SharedFoldersCarryTheOverlayButAdministrativeSharesDoNot) {
    ShareEnumerator::Instance().SetSource(&fakeShares);
    tree.Refresh();
    const HTREEITEM drive = tree.SetSelectedPath("C:\\", true);
    ASSERT_NE(drive, nullptr);
    HTREEITEM windows = nullptr, users = nullptr;
    for (HTREEITEM child = tree.GetChildItem(drive); child;
         child = tree.GetNextSiblingItem(child)) {
        if (tree.ItemToPath(child) == "C:\\windows")
            windows = child;
        if (tree.ItemToPath(child) == "C:\\users")
            users = child;
    }
    ASSERT_TRUE(windows && users);
    EXPECT_EQ(Overlay(windows), static_cast<UINT>(INDEXTOOVERLAYMASK(1)));
    EXPECT_EQ(Overlay(users), 0u);
    EXPECT_TRUE(ShareEnumerator::Instance().IsShared("c:\\WINDOWS"));
    EXPECT_FALSE(ShareEnumerator::Instance().IsShared("C:\\users"));
}

TEST_F(ShellTree, KeysMoveThroughTheHistoryAndLabelsAreNeverEdited) {
    tree.SetSelectedPath("C:\\windows", false);
    tree.SetSelectedPath("C:\\windows\\system32", false);
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_LEFT, true)); // Alt+Left: Back
    EXPECT_STREQ(tree.ItemToPath(tree.GetSelectedItem()), "C:\\windows");
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_RIGHT, true)); // Alt+Right: Forward
    EXPECT_STREQ(tree.ItemToPath(tree.GetSelectedItem()), "C:\\windows\\system32");
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_BACK)); // Backspace: up one level
    EXPECT_STREQ(tree.ItemToPath(tree.GetSelectedItem()), "C:\\windows");
    EXPECT_FALSE(Key(WM_KEYDOWN, VK_LEFT)); // plain arrows are the control's own
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_DELETE));
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_F2));
    EXPECT_EQ(tree.SendMessage(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(tree.GetSelectedItem())),
              0);
    EXPECT_STREQ(tree.ItemToPath(tree.GetSelectedItem()), "C:\\windows");
}

TEST_F(ShellTree, TwentyFiveSelectionsLeaveTwentyOneBackEntriesAndDeletedOnesDropOut) {
    const HTREEITEM system = tree.SetSelectedPath("C:\\windows\\system32", true);
    ASSERT_NE(system, nullptr);
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = tree.GetChildItem(system); child && children.size() < 25;
         child = tree.GetNextSiblingItem(child))
        children.push_back(child);
    ASSERT_GE(children.size(), 3u);
    for (int i = 0; i < 25; ++i)
        tree.SelectItem(children[static_cast<size_t>(i) % children.size()]);
    EXPECT_EQ(tree.GetBackHistory().size(), 21u);
    // Collapsing system32 deletes its children: they leave the history, and Back goes on to
    // what is still there.
    tree.SelectItem(system);
    tree.Expand(system, TVE_COLLAPSE);
    for (HTREEITEM entry : tree.GetBackHistory())
        EXPECT_NE(tree.GetItemInfo(entry), nullptr);
    while (tree.CanGoBack())
        EXPECT_TRUE(tree.GoBack());
    EXPECT_NE(tree.GetSelectedItem(), nullptr);
}

// Wine's tree never follows a right click with a context-menu message, whatever the click
// handler answers; the "once" holds here, and the handler's answer keeps it so on Windows.
TEST_F(ShellTree, ARightClickSelectsTheItemAndShowsTheMenuOnce) {
    tree.SetSelectedPath("C:\\", false);
    RECT rect{};
    ASSERT_TRUE(tree.GetItemRect(tree.GetComputerRoot(), &rect, TRUE));
    const POINT at = ui::Centre(rect);
    POINT onScreen = at;
    tree.ClientToScreen(&onScreen);
    SetCursorPos(onScreen.x, onScreen.y); // where the user's click is
    menusShown = 0;
    menuHook = SetWindowsHookExA(WH_CALLWNDPROC, countMenus, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, closeMenu);
    ui::Click(tree.m_hWnd, at, ui::Button::Right); // the menu opens and closes inside
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(menuHook);
    EXPECT_EQ(menusShown, 1);
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetComputerRoot());
}

TEST_F(ShellTree, EnterAndAltEnterPostOpenAndPropertiesToTheTree) {
    tree.SetSelectedPath("C:\\windows", false);
    auto posted = [this](bool alt) {
        EXPECT_TRUE(Key(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, VK_RETURN, alt));
        MSG msg{};
        const bool any = PeekMessageA(&msg, tree.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE);
        return any ? LOWORD(msg.wParam) : 0u;
    };
    EXPECT_EQ(posted(false), static_cast<UINT>(ID_SHELL_OPEN));
    EXPECT_EQ(posted(true), static_cast<UINT>(ID_SHELL_PROPERTIES));
}
