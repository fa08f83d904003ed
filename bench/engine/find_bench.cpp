// Times what finding an icon among thousands costs, over about 10,000 icons of a folder's files
// (by default Wine's libraries, listed as many times as it takes):
//   - the listing alone (ListIconGroups, each icon recorded as the fill worker records it);
//   - the listing with each icon's images read and hashed into UniqueIcons beside it (from the
//     file the listing opened, with plain reads into one reused buffer as the fill worker reads
//     them), and the share that adds to the listing;
//   - the filter over the icons' facts, for a few typed texts;
//   - the sort orders over the same facts.
// Prints the best of 3 runs of each.
//   find_bench [folder] [icons]
#include "../support/BestTime.h"
#include "engine/IconFacts.h"
#include "engine/IconFilter.h"
#include "engine/IconGroups.h"
#include "engine/IconIdentity.h"
#include "engine/IconImageFinder.h"
#include "engine/IconOrder.h"
#include "engine/ImageBytesReader.h"
#include "engine/PEFile.h"
#include "engine/platform/FileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace quarvel;

namespace {

constexpr int kRuns = 3;

struct Listed {
    std::string path;
    bool nameIsId = true;
    unsigned id = 0;
    std::string name;
    std::uint16_t language = 0;
    ResKey Key() const { return nameIsId ? ResKey(static_cast<int>(id)) : ResKey(name.c_str()); }
};

struct Recorder : IconListReceiver {
    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override {
        icons.push_back({path, name.IsId(), name.Id(), name.IsId() ? "" : name.Name(), language});
        return 1;
    }
    int AddIconFile(const char*) override { return 0; }
    std::vector<Listed> icons;
};

// Lists the files `passes` times as the fill worker does; with `unique`, the icons of each image
// file are found in it while the listing holds it open, read, and hashed into `unique`.
std::vector<Listed> List(const std::vector<std::string>& files, int passes, UniqueIcons* unique) {
    Recorder recorder;
    IconImageSpans images;
    ImageBytesReader reader;
    for (int pass = 0; pass < passes; ++pass) {
        for (const std::string& path : files) {
            if (unique == nullptr) {
                ListIconGroups(path.c_str(), &recorder);
                continue;
            }
            const std::size_t first = recorder.icons.size();
            ListIconGroups(path.c_str(), &recorder, [&](const CPEFile& file) {
                // The file's icon images, indexed once for all its groups.
                std::optional<IconImageFinder> index;
                for (std::size_t i = first; i < recorder.icons.size(); ++i) {
                    const Listed& icon = recorder.icons[i];
                    // Icons moved to a .mun file are read from there.
                    if (icon.path != path)
                        unique->Add(ReadGroupImages(icon.path.c_str(), icon.Key(), icon.language));
                    else if (FindGroupImageSpans(file, index ? *index : index.emplace(file, 0),
                                                 icon.Key(), icon.language, images) &&
                             reader.Read(file, images))
                        unique->AddImages(&images);
                    else
                        unique->AddImages(nullptr);
                }
            });
        }
    }
    return std::move(recorder.icons);
}

std::vector<IconFacts> FactsOf(const std::vector<Listed>& icons) {
    std::vector<IconFacts> facts;
    for (const Listed& icon : icons) {
        IconFacts fact;
        const std::size_t slash = icon.path.find_last_of("/\\");
        fact.fileName = icon.path.substr(slash + 1);
        fact.resourceName = icon.nameIsId ? std::to_string(icon.id) : icon.name;
        fact.label = fact.fileName + "," + fact.resourceName;
        const auto set = ReadGroupImages(icon.path.c_str(), icon.Key(), icon.language);
        if (set)
            SetImageFacts(*set, fact);
        facts.push_back(std::move(fact));
    }
    return facts;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
    const long wanted = argc > 2 ? std::atol(argv[2]) : 10000;
    std::vector<std::string> names;
    if (!platform::ListFolder(folder.c_str(), names)) {
        std::fprintf(stderr, "find_bench: %s cannot be read\n", folder.c_str());
        return 1;
    }
    std::vector<std::string> files;
    for (const std::string& name : names)
        files.push_back(folder + platform::PathSeparator() + name);
    const std::size_t perPass = List(files, 1, nullptr).size();
    if (perPass == 0) {
        std::fprintf(stderr, "find_bench: no icons in %s\n", folder.c_str());
        return 1;
    }
    const int passes = static_cast<int>((wanted + perPass - 1) / perPass);

    std::vector<Listed> icons;
    const double listing =
        bench::BestMilliseconds(kRuns, [&] { icons = List(files, passes, nullptr); });
    int distinct = 0;
    const double hashed = bench::BestMilliseconds(kRuns, [&] {
        UniqueIcons unique;
        List(files, passes, &unique);
        distinct = unique.DistinctCount();
    });
    std::printf("%zu files x %d passes: %zu icons (%zu a pass, %d distinct), best of %d runs\n",
                files.size(), passes, icons.size(), perPass, distinct, kRuns);
    std::printf("listing alone           %8.1f ms\n", listing);
    std::printf("listing and hashing     %8.1f ms  (+%.0f %% of the listing)\n", hashed,
                100.0 * (hashed - listing) / listing);

    const std::vector<IconFacts> facts = FactsOf(icons);
    for (const char* text : {"shell32", ">=48 png", "256 shell32", u8"ΕΚΤΥΠΩΤΗΣ", "cursor"}) {
        std::size_t kept = 0;
        const double ms = bench::BestMilliseconds(kRuns, [&] {
            const IconFilter filter(text);
            kept = 0;
            for (const IconFacts& icon : facts)
                kept += filter.Matches(icon);
        });
        std::printf("filter %-16s %8.2f ms  (%zu of %zu kept)\n", text, ms, kept, facts.size());
    }
    for (const auto& [order, label] : {std::pair{IconOrder::Name, "Name"},
                                       std::pair{IconOrder::LargestImage, "Largest Image"}}) {
        const double ms =
            bench::BestMilliseconds(kRuns, [&, order = order] { SortedPositions(facts, order); });
        std::printf("sort by %-15s %8.2f ms\n", label, ms);
    }
    return 0;
}
