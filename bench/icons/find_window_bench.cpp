// Finding an icon in the window: the icon list holding the icons of Wine's own libraries
// (10,000 by default, the libraries listed as many times as it takes), each with the facts and
// identity the fill worker hands over. Times, best of the runs given:
//   - a keystroke in the filter box (WM_CHAR to the edit) until the list is painted
//     (UpdateWindow done), for each letter of a few typed texts and for Backspace;
//   - each order (a sort of every icon; File from Name) until the list is painted;
//   - hiding and showing duplicates until the list is painted.
//     find_window_bench.exe [count] [folder] [runs]
#include "../support/BenchHost.h"
#include "../support/BenchSupport.h"
#include "IconListView.h"
#include "engine/IconFacts.h"
#include "engine/IconGroups.h"
#include "engine/IconIdentity.h"
#include "engine/IconImageSet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace quarvel;
using bench::Now;

namespace {

// Hands each icon to the list with its facts and identity, as the fill worker's records do.
struct DescribedIcons : IconListReceiver {
    explicit DescribedIcons(CIconListCtrl& list) : list(list) {}
    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override {
        if (!list.AddGroupIcon(path, name, language))
            return 0;
        auto set = ReadGroupImages(path, name, language);
        IconFacts facts;
        if (set)
            SetImageFacts(*set, facts);
        list.DescribeLastIcon(facts, identities.Add(std::move(set)));
        return 1;
    }
    int AddIconFile(const char*) override { return 0; }
    CIconListCtrl& list;
    UniqueIcons identities;
};

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

struct Keystrokes {
    double worst = 0, total = 0;
    int count = 0;
};

// Types text into the box one character at a time, each until the list is painted; then
// Backspace as many times.
void TypeAndErase(CFilterEdit& box, CIconListCtrl& list, const std::string& text, Keystrokes& typed,
                  Keystrokes& erased, int& shown) {
    const auto press = [&](WPARAM ch, Keystrokes& into) {
        const double start = Now();
        box.SendMessage(WM_CHAR, ch, 1);
        list.UpdateWindow();
        const double ms = 1000 * (Now() - start);
        into.worst = std::max(into.worst, ms);
        into.total += ms;
        ++into.count;
        PumpMessages();
    };
    for (const char ch : text)
        press(static_cast<unsigned char>(ch), typed);
    shown = list.GetItemCount();
    for (std::size_t i = 0; i < text.size(); ++i)
        press(VK_BACK, erased);
}

double PaintedAfter(CIconListCtrl& list, const std::function<void()>& change) {
    PumpMessages();
    const double start = Now();
    change();
    list.UpdateWindow();
    const double ms = 1000 * (Now() - start);
    PumpMessages();
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    const auto [target, folder, runs] = bench::ReadIconBenchArgs(argc, argv);

    CWnd host;
    auto* view = bench::CreateHostedView<CIconListView>(host, "find window bench", 1024, 768);
    if (!view)
        return 1;
    CIconListCtrl& list = view->GetListCtrl();
    const std::vector<std::string> files = bench::LibraryFiles(folder);
    DescribedIcons receiver(list);
    for (std::size_t pass = 0; list.OwnedItemCount() < target && !files.empty(); ++pass) {
        const int before = list.OwnedItemCount();
        for (const std::string& file : files)
            if (list.OwnedItemCount() < target)
                ListIconGroups(file.c_str(), &receiver);
        if (list.OwnedItemCount() == before)
            break;
    }
    PumpMessages();
    list.UpdateWindow();
    if (list.OwnedItemCount() == 0) {
        std::printf("no icons found in %s\n", folder.c_str());
        return 1;
    }
    std::printf("%s: %d icons (%d distinct), %d files a pass, best of %d runs\n", folder.c_str(),
                list.OwnedItemCount(), receiver.identities.DistinctCount(),
                static_cast<int>(files.size()), runs);

    CFilterEdit& box = view->GetFilterBox();
    box.SetFocus();
    for (const char* text : {"shell32", "printer", ">=48 png", "256"}) {
        Keystrokes best, bestErased;
        int shown = 0;
        for (int run = 0; run < runs; ++run) {
            Keystrokes typed, erased;
            TypeAndErase(box, list, text, typed, erased, shown);
            if (run == 0 || typed.worst < best.worst)
                best = typed;
            if (run == 0 || erased.worst < bestErased.worst)
                bestErased = erased;
        }
        std::printf("typing %-10s a key to the list painted: mean %6.1f ms, worst %6.1f ms "
                    "(%d shown at the end); Backspace: mean %6.1f ms, worst %6.1f ms "
                    "(goal: 100 ms)\n",
                    text, best.total / best.count, best.worst, shown,
                    bestErased.total / bestErased.count, bestErased.worst);
        std::fflush(stdout);
    }

    for (const auto& [order, label] :
         {std::pair{IconOrder::Name, "Name"}, std::pair{IconOrder::LargestImage, "Largest Image"},
          std::pair{IconOrder::File, "File"}}) {
        double best = 1e300;
        for (int run = 0; run < runs; ++run) {
            // From another order: the File order is timed coming back from Name.
            list.SetOrder(order == IconOrder::File ? IconOrder::Name : IconOrder::File);
            PumpMessages();
            best = std::min(best, PaintedAfter(list, [&, order = order] { list.SetOrder(order); }));
        }
        std::printf("sort by %-14s to the list painted: %6.1f ms (goal: 100 ms)\n", label, best);
    }
    list.SetOrder(IconOrder::File);
    double hide = 1e300, show = 1e300;
    for (int run = 0; run < runs; ++run) {
        hide = std::min(hide, PaintedAfter(list, [&] { list.SetHideDuplicates(true); }));
        show = std::min(show, PaintedAfter(list, [&] { list.SetHideDuplicates(false); }));
    }
    std::printf("hide duplicates to the list painted: %6.1f ms, show them again: %6.1f ms\n", hide,
                show);
    view->RemoveAll();
    host.DestroyWindow();
    return 0;
}
