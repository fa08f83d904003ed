// Every command the user can give reaches a handler: the items of the main menu, the toolbar's
// buttons and the accelerators through the main frame's routing (with each pane active in turn),
// and the items of each context menu through the pane or control that shows it.
#include "AppFixture.h"

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
