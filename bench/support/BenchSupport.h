// What the benchmarks share: clocks, the library files of a folder, and a receiver that only
// counts the icons listed.
#pragma once

#include "BestTime.h"
#include "engine/IconGroups.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
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
