// Icon list benchmark: lists the icons of Wine's own libraries into the icon list until it holds
// 10,000 (or the count given), as the file list does while it fills, then draws the first
// screen and makes every picture, as a user scrolling through the whole list would. Against the
// floor (PictureFloor.h: the system's own build and draw of the same files' images, bytes in
// memory) it prints our time per picture, their ratio and the first screen; then the time to add
// (per thousand, to show that adding stays linear), to select all and to empty the list. Timings
// are the best of the runs given (3 by default). Then the list is scrolled from end to end a page
// at a time, as the user would, timing each page, and the process's private bytes are printed
// after each stage. The list's icon size is 32 pixels unless another is given.
//     icon_list_bench.exe [count] [folder] [runs] [size]
#include "../support/BenchHost.h"
#include "../support/BenchSupport.h"
#include "IconListView.h"
#include "IconSize.h"
#include "PictureFloor.h"
#include "engine/IconGroups.h"
#include "engine/IconItem.h"

#include <psapi.h>

#include <algorithm>
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

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

double PrivateMegabytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // Wine leaves PrivateUsage at 0: the committed bytes are the same figure there.
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return bytes / (1024.0 * 1024.0);
}

void PrintMemory(const char* stage, int icons) {
    static double before = PrivateMegabytes();
    const double now = PrivateMegabytes();
    std::printf("private bytes %s: %.1f MB", stage, now);
    if (icons > 0)
        std::printf(" (%.0f bytes per icon over the start)", (now - before) * 1024 * 1024 / icons);
    std::printf("\n");
}

// Scrolls the drawn list a page at a time from the top to the end, drawing each page as the
// screen would: pages, the slowest page's seconds and the most pictures held at once.
struct Scroll {
    int pages = 0;
    double slowest = 0, total = 0;
    int mostPictures = 0;
};
Scroll ScrollEndToEnd(CIconListCtrl& list) {
    Scroll scroll;
    RECT client;
    list.GetClientRect(&client);
    list.SendMessage(WM_VSCROLL, SB_TOP);
    for (;;) {
        SCROLLINFO bar{};
        bar.cbSize = sizeof bar;
        bar.fMask = SIF_ALL;
        GetScrollInfo(list.m_hWnd, SB_VERT, &bar);
        if (bar.nPos + static_cast<int>(bar.nPage) > bar.nMax)
            break;
        const double start = Now();
        list.SendMessage(LVM_SCROLL, 0, client.bottom);
        list.UpdateWindow();
        PumpMessages();
        const double seconds = Now() - start;
        scroll.slowest = std::max(scroll.slowest, seconds);
        scroll.total += seconds;
        scroll.mostPictures = std::max(scroll.mostPictures, list.PictureCount());
        ++scroll.pages;
    }
    return scroll;
}

// One fill of the list: the files in turn (again from the first when they run out), as one fill
// of the file list would, without pumping messages in between. Seconds per thousand items go to
// perThousand; answers the seconds spent, the engine's own listing of each file once left out.
double Fill(CIconListCtrl& list, const std::vector<std::string>& files, int target,
            std::vector<double>& perThousand) {
    Counter counter;
    double listing = 0;
    const double start = Now();
    double chunkStart = start;
    for (std::size_t next = 0; list.GetItemCount() < target; ++next) {
        const std::string& file = files[next % files.size()];
        const double before = Now();
        ListIconGroups(file.c_str(), &counter);
        listing += Now() - before;
        ListIconGroups(file.c_str(), &list);
        while (list.GetItemCount() >= 1000 * static_cast<int>(perThousand.size() + 1)) {
            const double now = Now();
            perThousand.push_back(now - chunkStart);
            chunkStart = now;
        }
    }
    return Now() - start - listing;
}

} // namespace

int main(int argc, char** argv) {
    const auto [target, folder, runs] = bench::ReadIconBenchArgs(argc, argv);
    const int size = argc > 4 ? std::atoi(argv[4]) : kDefaultIconSize;
    if (!IsIconSize(size)) {
        std::printf("%d is not an icon size\n", size);
        return 2;
    }

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
    std::printf("%s: %d files with %d icons; the engine lists them in %.3f s; the list at %d px\n",
                folder.c_str(), static_cast<int>(withIcons.size()), iconsInFolder, listingAll,
                size);

    PrintMemory("at the start", 0);
    CWnd host;
    auto* view = bench::CreateHostedView<CIconListView>(host, "icon list bench", 1024, 768);
    if (!view)
        return 1;
    CIconListCtrl& list = view->GetListCtrl();
    list.SetIconSize(size);
    const int cell = IconCellSide(size, AfxGetWindowDpi(list.m_hWnd));
    const auto floorImages = bench::SystemPickedImages(withIcons, cell);

    std::vector<double> unused;
    double floor = 1e300, adding = 1e300, firstScreen = 1e300, secondPaint = 1e300;
    double everyPicture = 1e300, bestThousand = 1e300;
    std::vector<double> perThousand;
    int added = 0, onFirstScreen = 0, pictures = 0;
    for (int run = 0; run < runs; ++run) {
        view->RemoveAll();
        PumpMessages();
        std::vector<double> thousands;
        const double fill = Fill(list, withIcons, target, thousands);
        if (fill < adding) {
            adding = fill;
            perThousand = thousands;
        }
        added = list.GetItemCount();
        if (MadePictures(list) != 0)
            std::printf("pictures made before drawing: %d\n", MadePictures(list));

        floor = std::min(floor, bench::FloorMillisecondsPerPicture(floorImages, 10));
        // The first screen: the fill is over once the message loop runs again, and the list paints.
        start = Now();
        PumpMessages();
        list.UpdateWindow();
        firstScreen = std::min(firstScreen, Now() - start);
        onFirstScreen = MadePictures(list);

        start = Now();
        list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        secondPaint = std::min(secondPaint, Now() - start);

        // The floor next to our pictures, so that both meet the machine in the same mood.
        floor = std::min(floor, bench::FloorMillisecondsPerPicture(floorImages, 10));

        // Every picture, as when the user scrolls through the whole list; each thousand is
        // timed too, as a pass as short as the floor's meets fewer bursts of a busy machine.
        start = Now();
        double thousandStart = start;
        for (int i = 0; i < added; ++i) {
            list.GetPicture(i);
            if ((i + 1) % 1000 == 0) {
                const double now = Now();
                bestThousand = std::min(bestThousand, now - thousandStart);
                thousandStart = now;
            }
        }
        PumpMessages();
        everyPicture = std::min(everyPicture, Now() - start);
        pictures = list.PictureCount();
        if (run == 0)
            PrintMemory("after making every picture", added);
    }

    // Filled and drawn, then scrolled from end to end as the user would.
    view->RemoveAll();
    PumpMessages();
    Fill(list, withIcons, target, unused);
    PrintMemory("after filling", added);
    PumpMessages();
    list.UpdateWindow();
    PrintMemory("with the first screen drawn", added);
    const Scroll scroll = ScrollEndToEnd(list);
    PrintMemory("after scrolling from end to end", added);
    std::printf("scrolled %d pages: slowest page %.3f s, mean %.3f s (goal: 0.100 s); at most %d "
                "pictures held (bound %d)\n",
                scroll.pages, scroll.slowest, scroll.pages ? scroll.total / scroll.pages : 0.0,
                scroll.mostPictures, list.PictureBound());

    // The same first screen with its pictures made beforehand: what the list spends on the rest.
    view->RemoveAll();
    PumpMessages();
    Fill(list, withIcons, target, unused);
    for (int i = 0; i < onFirstScreen; ++i)
        list.GetPicture(i);
    start = Now();
    PumpMessages();
    list.UpdateWindow();
    const double firstScreenRest = Now() - start;

    const double ours = 1000 * everyPicture / added;
    std::printf("floor: %.3f ms per picture (%d images picked by the system at %d pixels, "
                "built and drawn)\n",
                floor, static_cast<int>(floorImages.size()), cell);
    std::printf("ours: %.3f ms per picture (%d pictures made in %.3f s, %d in the picture list); "
                "%.3f ms per picture in the best thousand\n",
                ours, added, everyPicture, pictures, bestThousand);
    std::printf("ratio ours / floor: %.2f, in the best thousand %.2f (goal: 2 or less)\n",
                ours / floor, bestThousand / floor);
    std::printf("first screen: %d pictures drawn in %.3f s (goal: %.3f s, twice the floor)\n",
                onFirstScreen, firstScreen, onFirstScreen * 2 * floor / 1000);
    std::printf("the same first screen with its pictures made beforehand: %.3f s (once)\n",
                firstScreenRest);
    std::printf("second paint of the same screen: %.3f s\n", secondPaint);
    std::printf("added %d icons in %.3f s (%.1f us per icon, engine listing left out)\n", added,
                adding, 1e6 * adding / added);
    std::printf("seconds per thousand, in order:");
    for (double seconds : perThousand)
        std::printf(" %.3f", seconds);
    if (perThousand.size() >= 2)
        std::printf("\nlast thousand / first thousand: %.2f",
                    perThousand.back() / perThousand.front());
    std::printf("\n");

    start = Now();
    list.SelectAll();
    PumpMessages();
    list.UpdateWindow();
    std::printf("all %d selected and drawn in %.3f s\n", list.GetSelectedCount(), Now() - start);

    start = Now();
    view->RemoveAll();
    std::printf("emptied in %.3f s; items still owned: %d (best of %d runs)\n", Now() - start,
                list.OwnedItemCount(), runs);
    PrintMemory("after emptying", added);
    std::fflush(stdout);
    host.DestroyWindow();
    return 0;
}
