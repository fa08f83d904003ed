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
    auto* icons = static_cast<CIconListView*>(frame->m_wndBottomSplitter.GetPane(0, 0));
    CIconListCtrl& list = icons->GetListCtrl();
    quarvel::ListIconGroups(file, &list);
    frame->SetActiveView(icons);
    list.SetFocus();
    list.SetItemState(focused, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(focused, FALSE);
    if (argc > 3) {
        // Widen the image pane so that the labels of large images show too.
        RECT client;
        frame->m_wndBottomSplitter.GetClientRect(&client);
        const int width = std::atoi(argv[3]);
        frame->m_wndBottomSplitter.SetColumnInfo(0, client.right - width - CSplitterWnd::kBarSize,
                                                 0);
        frame->m_wndBottomSplitter.SetColumnInfo(1, width, 0);
        frame->m_wndBottomSplitter.RecalcLayout();
    }
    if (argc > 4) {
        auto* images = static_cast<CSubIconView*>(frame->m_wndBottomSplitter.GetPane(0, 1));
        const int row = std::atoi(argv[4]);
        frame->SetActiveView(images);
        images->GetListBox().SetFocus();
        images->GetListBox().SetSel(row);
        images->GetListBox().SetCaretIndex(row);
    }
    return theApp.Run();
}
