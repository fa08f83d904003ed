// The icon panes inside Quarvel's main frame: linked to each other, reached by the frame's
// menus and toolbar when active, and emptied with the file list.
#include "AppFixture.h"

#include "support/IconData.h"
#include "support/TempFiles.h"

#include "engine/IconGroups.h"

using namespace quarvel::test;

namespace {
bool menuItemEnabled(CMainFrame* frame, int menu, UINT id) {
    for (const auto& item : ui::FrameMenu(frame, menu))
        if (item.first == id)
            return item.second;
    return false;
}
} // namespace

TEST_F(QuarvelStarted, IconPanesAnswerTheFramesCommandsWhenActive) {
    ASSERT_TRUE(Start());
    CIconListView* icons = frame->GetIconList();
    CSubIconView* images = frame->GetSubIconView();
    ASSERT_EQ(icons->GetSubIconView(), images);

    quarvel::test::TempFolder folder;
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {MakeBmpImage(16, 4), MakeBmpImage(32, 8)}, {16, 32}, {4, 8}, 1);
    AddIconGroup(tree, 2, 0, {MakeBmpImage(32, 8)}, {32}, {8}, 5);
    const std::string file = folder.Write("two.dll", BuildImageWithResources(tree));
    CIconListCtrl& list = icons->GetListCtrl();
    ASSERT_EQ(quarvel::ListIconGroups(file.c_str(), &list), 2);

    frame->SetActiveView(icons);
    EXPECT_FALSE(menuItemEnabled(frame, 0, ID_SAVE_ICON_AS));
    EXPECT_TRUE(menuItemEnabled(frame, 1, ID_EDIT_SELECT_ALL));
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(images->GetListBox().GetCount(), 2);
    EXPECT_TRUE(menuItemEnabled(frame, 0, ID_SAVE_ICON_AS));
    // Once drawn, the icon has a picture and the toolbar's Copy button follows.
    ui::PumpUntil([&] { return list.FirstSelectedHasPicture(); });
    ui::PumpPending();
    EXPECT_TRUE(menuItemEnabled(frame, 1, ID_EDIT_COPY));
    EXPECT_TRUE(frame->GetToolBar().SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY));

    // Select All goes to the active pane: the image list's rows, not the icons.
    frame->SetActiveView(images);
    EXPECT_FALSE(menuItemEnabled(frame, 1, ID_EDIT_COPY));
    frame->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    EXPECT_EQ(images->GetListBox().GetSelCount(), 2);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_TRUE(menuItemEnabled(frame, 1, ID_EDIT_COPY));

    frame->ClearFileList();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(images->GetListBox().GetCount(), 0);
}
