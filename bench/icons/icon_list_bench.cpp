// Icon list benchmark: lists the icons of Wine's own libraries into the icon list until it holds
// 10,000 (or the count given), as the file list does while it fills, then draws the first
// screen. Prints the time to add (per thousand, to show that adding stays linear), the time to
// draw the first screen and how many pictures that made, the time to make every picture, to
// select all and to empty the list.
//     icon_list_bench.exe [count] [folder]
#include "../support/BenchSupport.h"
#include "IconListView.h"
#include "engine/IconGroups.h"
#include "engine/IconItem.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quarvel;
using bench::Counter;
using bench::LibraryFiles;
using bench::Now;

namespace {

int MadePictures(CIconListCtrl& list) {
    int made = 0;
    for (int i = 0; i < list.GetItemCount(); ++i)
        made += list.GetIconItem(i)->GetImageIndex() != CIconItem::kImageNotMade;
    return made;
}

} // namespace

int main(int argc, char** argv) {
    const int target = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string folder =
        argc > 2 ? argv[2] : "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows";

    // The files that hold icons, and the engine's own listing time for them.
    Counter counter;
    std::vector<std::string> withIcons;
    int iconsInFolder = 0;
    double start = Now();
    for (const std::string& file : LibraryFiles(folder)) {
        const int icons = ListIconGroups(file.c_str(), &counter);
        if (icons > 0) {
            withIcons.push_back(file);
            iconsInFolder += icons;
        }
    }
    const double listingAll = Now() - start;
    if (iconsInFolder == 0) {
        std::printf("no icons found in %s\n", folder.c_str());
        return 1;
    }
    std::printf("%s: %d files with %d icons; the engine lists them in %.3f s\n", folder.c_str(),
                static_cast<int>(withIcons.size()), iconsInFolder, listingAll);

    AfxEnableControlContainer();
    CWnd host;
    if (!host.CreateEx(0, AfxDefaultWndClass(), "icon list bench",
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1024, 768, nullptr,
                       nullptr))
        return 1;
    RECT client;
    host.GetClientRect(&client);
    auto* view = new CIconListView;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, &host, AFX_IDW_PANE_FIRST))
        return 1;
    CIconListCtrl& list = view->GetListCtrl();
    host.UpdateWindow();

    // Adding: the files in turn (again from the first when they run out), as one fill of the
    // file list would, without pumping messages in between.
    std::vector<double> perThousand;
    double listingInAdd = 0;
    start = Now();
    double chunkStart = start;
    for (std::size_t next = 0; list.GetItemCount() < target; ++next) {
        const std::string& file = withIcons[next % withIcons.size()];
        const double before = Now();
        ListIconGroups(file.c_str(), &counter);
        listingInAdd += Now() - before;
        ListIconGroups(file.c_str(), &list);
        while (list.GetItemCount() >= 1000 * static_cast<int>(perThousand.size() + 1)) {
            const double now = Now();
            perThousand.push_back(now - chunkStart);
            chunkStart = now;
        }
    }
    const double adding = Now() - start - listingInAdd;
    const int added = list.GetItemCount();
    std::printf("added %d icons in %.3f s (%.1f us per icon, engine listing included once)\n",
                added, adding, 1e6 * adding / added);
    std::printf("seconds per thousand, in order:");
    for (double seconds : perThousand)
        std::printf(" %.3f", seconds);
    if (perThousand.size() >= 2)
        std::printf("\nlast thousand / first thousand: %.2f",
                    perThousand.back() / perThousand.front());
    std::printf("\npictures made before drawing: %d\n", MadePictures(list));

    // The first screen: the fill is over once the message loop runs again, and the list paints.
    start = Now();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    list.UpdateWindow();
    const double drawing = Now() - start;
    std::printf("first screen drawn in %.3f s; %d of %d items got pictures (%d in the picture "
                "list)\n",
                drawing, MadePictures(list), added, ImageList_GetImageCount(list.GetPictures()));

    start = Now();
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    std::printf("second paint of the same screen: %.3f s\n", Now() - start);

    // Every picture, as when the user scrolls through the whole list.
    start = Now();
    for (int i = 0; i < added; ++i)
        list.GetPicture(i);
    std::printf("every picture made in %.3f s (%d in the picture list)\n", Now() - start,
                ImageList_GetImageCount(list.GetPictures()));

    start = Now();
    list.SelectAll();
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    list.UpdateWindow();
    std::printf("all %d selected and drawn in %.3f s\n", list.GetSelectedCount(), Now() - start);

    start = Now();
    view->RemoveAll();
    std::printf("emptied in %.3f s; items still owned: %d\n", Now() - start, list.OwnedItemCount());
    std::fflush(stdout);
    host.DestroyWindow();
    return 0;
}
