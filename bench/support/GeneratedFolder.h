// Folders of files that the benchmarks make once under the temporary folder and keep for later
// runs: making them takes longer than most measurements.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// The folder `name` under the temporary folder. Unless an earlier run finished it (the mark
// "<name>.done" beside it), the folder is created and handed to fill, and marked when fill says it
// is complete; "" when fill could not make it.
inline std::string GeneratedFolder(const std::string& name,
                                   const std::function<bool(const std::string&)>& fill) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name;
    const std::string done = folder + ".done";
    if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES)
        return folder;
    std::printf("making the files under %s ...\n", folder.c_str());
    std::fflush(stdout);
    CreateDirectoryA(folder.c_str(), nullptr);
    if (!fill(folder))
        return "";
    HANDLE mark = CreateFileA(done.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (mark != INVALID_HANDLE_VALUE)
        CloseHandle(mark);
    return folder;
}

// A file of size bytes of 'x' at path; an image file's begins with "MZ".
inline void WriteFileOfSize(const std::string& path, DWORD size, bool image) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::vector<char> bytes(size, 'x');
    if (image && size >= 2) {
        bytes[0] = 'M';
        bytes[1] = 'Z';
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), size, &written, nullptr);
    CloseHandle(file);
}

} // namespace bench
