// Times ListIconGroups over every file of a folder (by default Wine's libraries), several passes
// at a time, against its floor: each file opened, mapped, its headers checked and its group icon
// directory walked, with nothing else asked of the system. Prints the best of 5 runs of each, the
// listing with icons only and with cursors too, and their ratios to the floor.
//   listing_bench [folder] [passes]
#include "../support/BestTime.h"
#include "engine/IconGroups.h"
#include "engine/PEFile.h"
#include "engine/platform/FileSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace quarvel;

namespace {

struct Counter : IconListReceiver {
    explicit Counter(bool cursors) : cursors(cursors) {}
    int AddGroupIcon(const char*, ResKey, std::uint16_t) override { return ++count, 1; }
    int AddIconFile(const char*) override { return ++count, 1; }
    bool TakesCursors() const override { return cursors; }
    int AddGroupCursor(const char*, ResKey, std::uint16_t) override { return ++count, 1; }
    int AddCursorFile(const char*) override { return ++count, 1; }
    int AddAnimatedCursorFile(const char*) override { return ++count, 1; }
    bool cursors;
    long count = 0;
};

// The floor: open, map, check the headers and walk the group icon names.
long BareWalk(const std::string& path) {
    const CPEFile file(path.c_str());
    if (!file.IsOpen())
        return 0;
    const ResKey type(kResTypeGroupIcon);
    CResDirIterator name(file.View(), file.FindDirectory(&type, 1), file.ResourceRoot());
    long names = 0;
    while (name.Next())
        ++names;
    return names;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
    const int passes = argc > 2 ? std::atoi(argv[2]) : 8;
    std::vector<std::string> names;
    if (!platform::ListFolder(folder.c_str(), names)) {
        std::fprintf(stderr, "listing_bench: %s cannot be read\n", folder.c_str());
        return 1;
    }
    std::vector<std::string> files;
    for (const std::string& name : names)
        files.push_back(folder + platform::PathSeparator() + name);

    long walked = 0, icons = 0, all = 0;
    const double bare = bench::BestMilliseconds(5, [&] {
        walked = 0;
        for (int pass = 0; pass < passes; ++pass)
            for (const std::string& file : files)
                walked += BareWalk(file);
    });
    const auto listing = [&](bool cursors, long& count) {
        return bench::BestMilliseconds(5, [&] {
            Counter counter(cursors);
            for (int pass = 0; pass < passes; ++pass)
                for (const std::string& file : files)
                    ListIconGroups(file.c_str(), &counter);
            count = counter.count;
        });
    };
    const double iconsOnly = listing(false, icons);
    const double withCursors = listing(true, all);
    std::printf("%zu files, %d passes, best of 5 runs\n", files.size(), passes);
    std::printf("bare walk          %8.1f ms  (%ld names)\n", bare, walked);
    std::printf("listing, icons     %8.1f ms  %5.2fx the walk  (%ld listed)\n", iconsOnly,
                iconsOnly / bare, icons);
    std::printf("listing, all kinds %8.1f ms  %5.2fx the walk  (%ld listed)\n", withCursors,
                withCursors / bare, all);
    return 0;
}
