// A driver for looking at the icon panes (not a test): starts Quarvel as Quarvel.exe does, lists
// the icons of one file into the icon list and focuses one of them, then runs until closed.
//     icon_panes_driver.exe [file] [icon index] [image pane width] [image row to select]
#include "IconListView.h"
#include "SubIconView.h"
#include "MainFrm.h"
#include "QuarvelApp.h"
#include "engine/IconGroups.h"

#include <cstdlib>

int main(int argc, char** argv) {
    const char* file = argc > 1 ? argv[1] : "C:\\windows\\system32\\shell32.dll";
    const int focused = argc > 2 ? std::atoi(argv[2]) : 0;
    AfxWinInit(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    if (!theApp.InitInstance())
        return 1;
    auto* frame = static_cast<CMainFrame*>(AfxGetMainWnd());
    CIconListView* icons = frame->GetIconList();
    CIconListCtrl& list = icons->GetListCtrl();
    quarvel::ListIconGroups(file, &list);
    frame->SetActiveView(icons);
    list.SetFocus();
    list.SetItemState(focused, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(focused, FALSE);
    if (argc > 3) // widen the image pane so that the labels of large images show too
        frame->SizeIconPanes(std::atoi(argv[3]));
    if (argc > 4) {
        CSubIconView* images = frame->GetSubIconView();
        const int row = std::atoi(argv[4]);
        frame->SetActiveView(images);
        images->GetListBox().SetFocus();
        images->GetListBox().SetSel(row);
        images->GetListBox().SetCaretIndex(row);
    }
    return theApp.Run();
}
