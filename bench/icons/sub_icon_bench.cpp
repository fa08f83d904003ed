// Sub-icon view benchmark: shows the largest group icon of shell32 (its rows and their pictures),
// then moves the focus across 100 of the file's icons, each shown and painted in turn. Against
// the floor of the images shown (PictureFloor.h: the system's own build and draw of each image,
// bytes in memory) it prints both times and their ratios; timings are the best of the runs given
// (5 by default).
//     sub_icon_bench.exe [file] [runs]
#include "../support/BenchHost.h"
#include "../support/BenchSupport.h"
#include "PictureFloor.h"
#include "SubIconView.h"
#include "engine/GroupIcon.h"
#include "engine/IconGroups.h"
#include "engine/IconItem.h"
#include "engine/PEFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace quarvel;
using bench::Now;

namespace {

constexpr int kFocusMoves = 100;

// The file's group icons as items of the icon list, in listed order.
struct Items : IconListReceiver {
    std::vector<std::unique_ptr<CIconItem>> items;
    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override {
        items.push_back(std::make_unique<CIconItem>(path, name, language));
        return 1;
    }
    int AddIconFile(const char*) override { return 0; }
};

int ImageCount(const CPEFile& file, const CIconItem& item) {
    const auto group = FindGroupIcon(file, item.GetName(), item.GetLanguage());
    return group && group->IsIcon() ? group->Count() : 0;
}

// Milliseconds the system needs to build and draw every image of the items.
double FloorMilliseconds(const std::vector<const CIconItem*>& items, int runs) {
    std::vector<bench::FloorImage> images;
    for (const CIconItem* item : items)
        for (auto& image :
             bench::GroupImages(item->GetPath(), item->GetName(), item->GetLanguage()))
            images.push_back(std::move(image));
    return bench::FloorMillisecondsPerPicture(images, runs) * static_cast<double>(images.size());
}

} // namespace

int main(int argc, char** argv) {
    const std::string path =
        argc > 1 ? argv[1] : "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\shell32.dll";
    const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 5);

    Items listed;
    ListIconGroups(path.c_str(), &listed);
    if (listed.items.empty()) {
        std::printf("no icons found in %s\n", path.c_str());
        return 1;
    }
    const CIconItem* largest = nullptr;
    int largestCount = 0;
    {
        const CPEFile file(path.c_str());
        for (const auto& item : listed.items) {
            const int count = ImageCount(file, *item);
            if (count > largestCount) {
                largest = item.get();
                largestCount = count;
            }
        }
    }
    std::vector<const CIconItem*> moves;
    for (int i = 0; i < kFocusMoves; ++i)
        moves.push_back(listed.items[i % listed.items.size()].get());

    CWnd host;
    auto* view = bench::CreateHostedView<CSubIconView>(host, "sub-icon bench", 400, 900);
    if (!view)
        return 1;
    // Shows the item's images and paints them; the milliseconds spent listing the rows (the
    // icons built) go to `listing`.
    double listing = 0;
    const auto show = [&](const CIconItem* item) {
        const double start = Now();
        view->ShowIcon(0, const_cast<CIconItem*>(item));
        listing += 1000 * (Now() - start);
        view->GetListBox().UpdateWindow();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    };

    double largestFloor = 1e300, movesFloor = 1e300, largestTime = 1e300, movesTime = 1e300;
    double largestListing = 0, movesListing = 0;
    for (int run = 0; run < runs; ++run) {
        largestFloor = std::min(largestFloor, FloorMilliseconds({largest}, 3));
        listing = 0;
        double start = Now();
        show(largest);
        if (1000 * (Now() - start) < largestTime) {
            largestTime = 1000 * (Now() - start);
            largestListing = listing;
        }

        movesFloor = std::min(movesFloor, FloorMilliseconds(moves, 1));
        listing = 0;
        start = Now();
        for (const CIconItem* item : moves)
            show(item);
        if (1000 * (Now() - start) < movesTime) {
            movesTime = 1000 * (Now() - start);
            movesListing = listing;
        }
    }
    show(largest);
    const std::string name = largest->NameIsId() ? std::to_string(largest->GetId())
                                                 : std::string(largest->GetNameText());
    std::printf("%s: %d icons; the largest, %s, has %d images (%d rows shown)\n", path.c_str(),
                static_cast<int>(listed.items.size()), name.c_str(), largestCount,
                view->GetListBox().GetCount());
    std::printf("largest group shown in %.3f ms (%.3f listing the rows, the rest painting); "
                "floor %.3f ms; ratio %.2f (goal: 2 or less)\n",
                largestTime, largestListing, largestFloor, largestTime / largestFloor);
    std::printf("focus moved across %d icons in %.3f ms (%.3f listing the rows); floor %.3f ms; "
                "ratio %.2f (goal: 2 or less)\n",
                kFocusMoves, movesTime, movesListing, movesFloor, movesTime / movesFloor);
    std::printf("(best of %d runs)\n", runs);
    std::fflush(stdout);
    host.DestroyWindow();
    return 0;
}
