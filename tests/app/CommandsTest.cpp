// Every command the user can give reaches a handler: the items of the main menu, the toolbar's
// buttons and the accelerators through the main frame's routing (with each pane active in turn),
// and the items of each context menu through the pane or control that shows it. Every key a menu
// shows is in the key table, and Ctrl+A and Ctrl+E act in the pane that has the focus.
#include "AppFixture.h"

#include "support/IconData.h"
#include "support/TempFiles.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {
using Commands = std::set<UINT>;

void collectMenu(HMENU menu, Commands& commands) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i))
            collectMenu(popup, commands);
        else if (const UINT id = GetMenuItemID(menu, i); id != 0)
            commands.insert(id);
    }
}

Commands contextMenu(UINT resource) {
    Commands commands;
    CMenu menu;
    if (menu.LoadMenu(resource))
        collectMenu(menu.m_hMenu, commands);
    return commands;
}

bool hasHandler(CCmdTarget* target, UINT id) {
    AFX_CMDHANDLERINFO info{};
    return target->OnCmdMsg(id, CN_COMMAND, nullptr, &info);
}

CView* findView(CDocument* doc, const CRuntimeClass* cls) {
    for (CView* view : doc->GetViews())
        if (view->IsKindOf(cls))
            return view;
    return nullptr;
}
} // namespace

class CommandHandlers : public QuarvelStarted {
protected:
    // Whether the frame routes id to a handler while some pane (or none) is the active view.
    bool FrameHandles(UINT id) {
        bool handled = hasHandler(frame, id);
        for (CView* view : frame->GetActiveDocument()->GetViews()) {
            frame->SetActiveView(view, FALSE);
            handled = handled || hasHandler(frame, id);
        }
        return handled;
    }
    // Whether a context menu's command reaches a handler from the pane that shows the menu,
    // either in the pane (or control) itself or through the frame while the pane is active.
    bool PaneHandles(CCmdTarget* owner, CView* pane, UINT id) {
        frame->SetActiveView(pane, FALSE);
        return hasHandler(owner, id) || hasHandler(frame, id);
    }
};

TEST_F(CommandHandlers, EveryMenuToolbarAndKeyCommandReachesAHandler) {
    ASSERT_TRUE(Start());
    Commands commands;
    collectMenu(frame->GetMenu(), commands);
    const size_t menuCommands = commands.size();
    CControlBar* bar = frame->GetControlBar(AFX_IDW_TOOLBAR);
    ASSERT_TRUE(bar && bar->IsKindOf(RUNTIME_CLASS(CToolBar)));
    auto* toolbar = static_cast<CToolBar*>(bar);
    for (int i = 0; i < toolbar->GetCount(); ++i)
        if (toolbar->GetItemID(i) != ID_SEPARATOR)
            commands.insert(toolbar->GetItemID(i));
    ACCEL keys[64];
    const int keyCount = CopyAcceleratorTableA(frame->m_hAccelTable, keys, 64);
    for (int i = 0; i < keyCount; ++i)
        commands.insert(keys[i].cmd);
    ASSERT_GT(menuCommands, 10u);

    // The standard key table carries editing keys for which Quarvel has nothing to edit: they
    // are refused (no handler disables them), as any item without a handler is.
    const Commands refusedKeys = {ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO};
    for (UINT id : commands) {
        if (refusedKeys.count(id))
            EXPECT_FALSE(FrameHandles(id)) << "command " << id << " now has a handler";
        else
            EXPECT_TRUE(FrameHandles(id)) << "command " << id << " reaches no handler";
    }
}

TEST_F(CommandHandlers, EveryContextMenuCommandReachesAHandlerFromItsPane) {
    ASSERT_TRUE(Start());
    CDocument* doc = frame->GetActiveDocument();
    auto* treeView = static_cast<CFileTreeView*>(findView(doc, RUNTIME_CLASS(CFileTreeView)));
    CView* fileList = findView(doc, RUNTIME_CLASS(CFileListView));
    CView* icons = findView(doc, RUNTIME_CLASS(CIconListView));
    CView* images = findView(doc, RUNTIME_CLASS(CSubIconView));
    ASSERT_TRUE(treeView && fileList && icons && images);

    const Commands folderMenu = contextMenu(IDR_FOLDER_POPUP);
    const Commands iconMenu = contextMenu(IDR_ICON_POPUP);
    ASSERT_FALSE(folderMenu.empty());
    ASSERT_FALSE(iconMenu.empty());
    for (UINT id : folderMenu) {
        EXPECT_TRUE(PaneHandles(&treeView->GetTreeCtrl(), treeView, id)) << "tree, " << id;
        EXPECT_TRUE(PaneHandles(fileList, fileList, id)) << "file list, " << id;
    }
    for (UINT id : iconMenu) {
        EXPECT_TRUE(PaneHandles(icons, icons, id)) << "icon list, " << id;
        EXPECT_TRUE(PaneHandles(images, images, id)) << "image list, " << id;
    }
}

namespace {
// The key a menu item's text shows after its tab ("Ctrl+E"), as an accelerator's modifiers and
// virtual key; key 0 for a name this reader does not know.
struct ShownKey {
    BYTE modifiers = 0; // FCONTROL, FSHIFT, FALT
    WORD key = 0;
};

ShownKey parseShownKey(std::string text) {
    ShownKey shown;
    const std::pair<const char*, BYTE> modifiers[] = {
        {"Ctrl+", FCONTROL}, {"Shift+", FSHIFT}, {"Alt+", FALT}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, flag] : modifiers)
            if (text.rfind(prefix, 0) == 0) {
                shown.modifiers |= flag;
                text.erase(0, std::strlen(prefix));
                found = true;
            }
    }
    const std::pair<const char*, WORD> named[] = {
        {"Del", VK_DELETE}, {"Ins", VK_INSERT},     {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},
        {"Tab", VK_TAB},    {"Backspace", VK_BACK}, {"Home", VK_HOME},    {"End", VK_END}};
    if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0])))
        shown.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(text[0])));
    else if (text.size() >= 2 && text[0] == 'F' &&
             std::isdigit(static_cast<unsigned char>(text[1])))
        shown.key = static_cast<WORD>(VK_F1 + std::atoi(text.c_str() + 1) - 1);
    for (const auto& [name, key] : named)
        if (text == name)
            shown.key = key;
    return shown;
}

// Every item of a menu whose text shows a key: its command and the text after the tab.
void collectShownKeys(HMENU menu, std::vector<std::pair<UINT, std::string>>& shown) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i)) {
            collectShownKeys(popup, shown);
            continue;
        }
        char text[128] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (const char* tab = std::strchr(text, '\t'))
            shown.emplace_back(GetMenuItemID(menu, i), tab + 1);
    }
}
} // namespace

TEST_F(CommandHandlers, EveryKeyAMenuShowsIsInTheKeyTable) {
    ASSERT_TRUE(Start());
    ACCEL table[64];
    const int count = CopyAcceleratorTableA(frame->m_hAccelTable, table, 64);
    std::vector<std::pair<UINT, std::string>> shown;
    collectShownKeys(frame->GetMenu(), shown);
    for (UINT resource : {IDR_FOLDER_POPUP, IDR_ICON_POPUP}) {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(resource));
        collectShownKeys(menu.m_hMenu, shown);
    }
    ASSERT_GE(shown.size(), 3u); // Save As, Copy and Select All at least

    for (const auto& [command, text] : shown) {
        const ShownKey key = parseShownKey(text);
        ASSERT_NE(key.key, 0) << "a key name this test does not know: " << text;
        bool inTable = false;
        for (int i = 0; i < count; ++i)
            inTable = inTable || (table[i].cmd == command && table[i].key == key.key &&
                                  (table[i].fVirt & FVIRTKEY) &&
                                  (table[i].fVirt & (FCONTROL | FSHIFT | FALT)) == key.modifiers);
        EXPECT_TRUE(inTable) << "the menu shows " << text << " for command " << command
                             << ", the key table has no such key";
    }
}

class CommandKeys : public CommandHandlers {
protected:
    void SetUp() override {
        // A file of two icons of two images each: both icon panes hold several rows.
        using namespace quarvel::test;
        ResourceTree tree;
        for (int id = 1; id <= 2; ++id)
            AddIconGroup(tree, id, 0, {MakeBmpImage(16, 4), MakeBmpImage(32, 8)}, {16, 32}, {4, 8},
                         static_cast<std::uint16_t>(2 * id));
        files.Write("two.dll", BuildImageWithResources(tree));
        files.Write("copy.dll", BuildImageWithResources(tree));
    }
    // Presses Ctrl and key in the window with the focus (focus, or the pane's own), as the
    // message loop takes them.
    bool PressCtrl(CView* pane, char key, HWND focus = nullptr) {
        frame->SetActiveView(pane);
        if (focus)
            ::SetFocus(focus);
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG press{GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}};
        const bool taken = theApp.PreTranslateMessage(&press) != FALSE;
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        ui::PumpPending();
        return taken;
    }
    // The captions of the dialogs that Ctrl+E opens in pane (each is cancelled).
    std::vector<std::string> SaveDialogsOfCtrlE(CView* pane) {
        ui::DialogAnswerer cancel(IDCANCEL);
        PressCtrl(pane, 'E');
        std::vector<std::string> captions;
        for (const ui::SeenDialog& seen : cancel.Seen())
            captions.push_back(seen.caption);
        return captions;
    }

    quarvel::test::TempFolder files;
};

TEST_F(CommandKeys, CtrlAAndCtrlEReachTheirCommandsFromThePaneWithTheFocus) {
    ASSERT_TRUE(Start(("\"" + files.Path() + "\"").c_str()));
    CFileListCtrl& rows = frame->GetFileList()->GetListCtrl();
    CIconListCtrl& icons = frame->GetIconList()->GetListCtrl();
    CIconListBox& images = frame->GetSubIconView()->GetListBox();
    ASSERT_EQ(rows.GetItemCount(), 2);
    ASSERT_EQ(icons.GetItemCount(), 4);

    // The file list: every row; Save As is not a file list's command.
    rows.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_TRUE(PressCtrl(frame->GetFileList(), 'A'));
    EXPECT_EQ(rows.GetSelectedCount(), 2u);
    EXPECT_TRUE(SaveDialogsOfCtrlE(frame->GetFileList()).empty());

    // The icon list: every icon, then the batch save of all four.
    icons.SetItemState(-1, 0, LVIS_SELECTED);
    icons.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(PressCtrl(frame->GetIconList(), 'A'));
    EXPECT_EQ(icons.GetSelectedCount(), 4u);
    EXPECT_EQ(SaveDialogsOfCtrlE(frame->GetIconList()), (std::vector<std::string>{"Save..."}));

    // The image pane: every image of the focused icon, then the save dialog of that icon.
    ASSERT_TRUE(ui::PumpUntil([&] { return images.GetCount() == 2; }));
    images.SetSel(-1, FALSE);
    EXPECT_TRUE(PressCtrl(frame->GetSubIconView(), 'A'));
    EXPECT_EQ(images.GetSelCount(), 2);
    EXPECT_EQ(SaveDialogsOfCtrlE(frame->GetSubIconView()).size(), 1u);

    // The folder tree selects one folder: the keys change nothing.
    const HTREEITEM folder = Tree()->GetTreeCtrl().GetSelectedItem();
    PressCtrl(Tree(), 'A');
    EXPECT_TRUE(SaveDialogsOfCtrlE(Tree()).empty());
    EXPECT_EQ(Tree()->GetTreeCtrl().GetSelectedItem(), folder);
    EXPECT_EQ(rows.GetSelectedCount(), 2u);
    EXPECT_EQ(icons.GetSelectedCount(), 4u);

    // An edit box with the focus keeps its own editing keys: the search form's "Look in".
    CSearchDlg* form = frame->GetSearchForm();
    ASSERT_NE(form, nullptr);
    frame->GetBrowser()->SelectTab(CBrowser::kSearchPage);
    const HWND lookIn = ::GetDlgItem(form->m_hWnd, IDC_LOOK_IN);
    ::SetWindowTextA(lookIn, "C:\\icons");
    ::SendMessageA(lookIn, EM_SETSEL, 0, 0);
    PressCtrl(form, 'A', lookIn);
    DWORD start = 0, end = 0;
    ::SendMessageA(lookIn, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);
    EXPECT_EQ(rows.GetSelectedCount(), 2u);
    // The key table passes every editing key on to the edit box.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    ::SetFocus(lookIn);
    for (char key : {'A', 'C', 'V', 'X', 'Z'}) {
        MSG press{lookIn, WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}};
        EXPECT_FALSE(frame->PreTranslateMessage(&press)) << key;
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}
