// Icon size benchmark: the icons of Wine's own libraries (10,000 by default) at each icon size,
// 16, 32, 48, 96 and 256 pixels. At each size it prints our time per picture (the image chosen
// for the side, decoded, scaled down when wider and blended, CellCanvas) against the system's
// floor at that side (PictureFloor.h: the image the system picks for the side, built by
// CreateIconFromResourceEx and drawn by DrawIconEx at that side; and, as the system may pick a
// narrower image and stretch it up, the image we show built at its own size and drawn by
// DrawIconEx at the side), the first screen of the icon list drawn, and at 256 pixels a page
// scrolled. Timings are the best of the runs given.
//     icon_size_bench.exe [count] [folder] [runs] [size]   (one size only when given)
#include "../support/BenchHost.h"
#include "../support/BenchSupport.h"
#include "CellPicture.h"
#include "IconListView.h"
#include "IconSize.h"
#include "PictureFloor.h"
#include "engine/IconFileCache.h"
#include "engine/IconGroups.h"
#include "engine/IconItem.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace quarvel;
using bench::Now;

namespace {

// The icons listed, as the icon list's items name them.
struct Items : IconListReceiver {
    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override {
        icons.push_back(std::make_unique<CIconItem>(path, name, language));
        return 1;
    }
    int AddIconFile(const char* path) override {
        icons.push_back(std::make_unique<CIconItem>(path));
        return 1;
    }
    std::vector<std::unique_ptr<CIconItem>> icons;
};

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// Every icon's picture at the side, the open files shared by runs of 64 pictures as the icon
// list shares them within a paint; milliseconds per picture and the pictures made.
double OursPerPicture(const Items& items, int side, int& made) {
    CellCanvas canvas(side);
    IconFileCache files;
    made = 0;
    const double start = Now();
    for (std::size_t i = 0; i < items.icons.size(); ++i) {
        made += canvas.Draw(*items.icons[i], files) != nullptr;
        if (i % 64 == 63)
            files.CloseAll();
    }
    return 1000 * (Now() - start) / static_cast<double>(items.icons.size());
}

} // namespace

int main(int argc, char** argv) {
    const auto [target, folder, runs] = bench::ReadIconBenchArgs(argc, argv);
    const int onlySize = argc > 4 ? std::atoi(argv[4]) : 0;

    std::vector<std::string> withIcons;
    Items items;
    for (const std::string& file : bench::LibraryFiles(folder))
        if (ListIconGroups(file.c_str(), &items) > 0)
            withIcons.push_back(file);
    if (items.icons.empty()) {
        std::printf("no icons found in %s\n", folder.c_str());
        return 1;
    }
    const std::size_t distinct = items.icons.size();
    for (std::size_t i = 0; items.icons.size() < static_cast<std::size_t>(target); ++i) {
        const CIconItem& again = *items.icons[i % distinct];
        items.icons.push_back(std::make_unique<CIconItem>(again));
    }
    items.icons.resize(static_cast<std::size_t>(target));
    std::printf("%s: %d files, %d icons, %d pictures a pass\n", folder.c_str(),
                static_cast<int>(withIcons.size()), static_cast<int>(distinct), target);

    CWnd host;
    auto* view = bench::CreateHostedView<CIconListView>(host, "icon size bench", 1024, 768);
    if (!view)
        return 1;
    CIconListCtrl& list = view->GetListCtrl();
    const int dpi = AfxGetWindowDpi(list.m_hWnd);

    for (int size : kIconSizes) {
        if (onlySize != 0 && size != onlySize)
            continue;
        const int side = IconCellSide(size, dpi);
        const auto floorImages = bench::SystemPickedImages(withIcons, side);
        const auto sameImages = bench::EngineChosenImages(withIcons, side);
        double floor = 1e300, same = 1e300, ours = 1e300, firstScreen = 1e300, pageScroll = 1e300;
        int made = 0, onFirstScreen = 0;
        for (int run = 0; run < runs; ++run) {
            floor = std::min(floor, bench::FloorMillisecondsPerPicture(floorImages, 3));
            same = std::min(same, bench::FloorMillisecondsPerPicture(sameImages, 3));
            ours = std::min(ours, OursPerPicture(items, side, made));

            // The first screen of the list at this size, then a page down.
            view->RemoveAll();
            list.SetIconSize(size);
            PumpMessages();
            for (std::size_t next = 0; list.GetItemCount() < 2000; ++next)
                ListIconGroups(withIcons[next % withIcons.size()].c_str(), &list);
            double start = Now();
            PumpMessages();
            list.UpdateWindow();
            firstScreen = std::min(firstScreen, Now() - start);
            onFirstScreen = list.PictureCount();
            RECT client;
            list.GetClientRect(&client);
            start = Now();
            list.SendMessage(LVM_SCROLL, 0, client.bottom);
            list.UpdateWindow();
            pageScroll = std::min(pageScroll, Now() - start);
            PumpMessages();
        }
        std::printf("%3d px (cell %d): ours %.3f ms per picture (%d of %d made), floor %.3f ms "
                    "(%d images), ratio %.2f (goal: 2 or less)\n",
                    size, side, ours, made, target, floor, static_cast<int>(floorImages.size()),
                    ours / floor);
        int narrower = 0, wider = 0;
        for (const bench::FloorImage& image : floorImages) {
            narrower += image.ownSide < side;
            wider += image.ownSide > side;
        }
        std::printf("        the system picks %d narrower images (stretched up), %d of the side, "
                    "%d wider; the same images as ours, drawn at the side: floor %.3f ms "
                    "(%d images), ratio %.2f\n",
                    narrower, static_cast<int>(floorImages.size()) - narrower - wider, wider, same,
                    static_cast<int>(sameImages.size()), ours / same);
        std::printf("        first screen: %d pictures in %.3f s (goal %.3f s, twice the floor; "
                    "%.3f s by the same images); a page scrolled: %.3f s%s\n",
                    onFirstScreen, firstScreen, onFirstScreen * 2 * floor / 1000,
                    onFirstScreen * 2 * same / 1000, pageScroll,
                    size == 256 ? " (goal: 0.100 s)" : "");
        std::fflush(stdout);
    }
    view->RemoveAll();
    host.DestroyWindow();
    return 0;
}
