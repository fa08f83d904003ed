// What the benchmarks share: clocks, the library files of a folder, and a receiver that only
// counts the icons listed.
#pragma once

#include "BestTime.h"
#include "engine/IconGroups.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Seconds on the performance counter.
inline double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The arguments the icon benchmarks share: [count] [folder] [runs], by default 10,000 icons of
// Wine's own libraries and the best of 3 runs.
struct IconBenchArgs {
    int target = 10000;
    std::string folder = "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows";
    int runs = 3;
};

inline IconBenchArgs ReadIconBenchArgs(int argc, char** argv) {
    IconBenchArgs args;
    if (argc > 1)
        args.target = std::atoi(argv[1]);
    if (argc > 2)
        args.folder = argv[2];
    if (argc > 3)
        args.runs = std::max(1, std::atoi(argv[3]));
    return args;
}

// The .dll and .exe files of folder, as full paths.
inline std::vector<std::string> LibraryFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (const char* pattern : {"\\*.dll", "\\*.exe"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            files.push_back(folder + "\\" + found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return files;
}

// Counts the icons a file holds without keeping them.
struct Counter : quarvel::IconListReceiver {
    int AddGroupIcon(const char*, quarvel::ResKey, std::uint16_t) override { return 1; }
    int AddIconFile(const char*) override { return 1; }
};

} // namespace bench
