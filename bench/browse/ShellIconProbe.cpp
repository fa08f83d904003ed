// Counts the files of a folder on which the shell's own icon lookup for a file list row
// (SHGetFileInfoA with SHGFI_SYSICONINDEX | SHGFI_SMALLICON, which reads the file for types
// whose icon is the file's own) ends the process. Each file is tried in a child process; when a
// child dies, the file it was on counts as a crash and a new child goes on after it.
//   shell_icon_probe write FOLDER   writes the damaged folder (the fuzz corpus's) into FOLDER
//   shell_icon_probe probe FOLDER   tries every file of FOLDER and prints the crashes
// Under Wine, set AeDebug (scripts/wine-prefix does) so that a crash ends the child at once.
#include "DamagedFolder.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> FilesOf(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

int Write(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    int written = 0;
    for (const auto& input : quarvel::fuzz::DamagedFolderInputs()) {
        std::ofstream out(folder + "\\" + input.name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(input.bytes.data()),
                  static_cast<std::streamsize>(input.bytes.size()));
        written += out.good();
    }
    std::printf("%d files written to %s\n", written, folder.c_str());
    return 0;
}

// The child: asks the shell for each file's icon from `start` on, recording where it is.
int Child(const std::string& folder, std::size_t start, const std::string& progress) {
    const auto names = FilesOf(folder);
    for (std::size_t i = start; i < names.size(); ++i) {
        {
            std::ofstream mark(progress, std::ios::trunc);
            mark << i << "\n";
        }
        SHFILEINFOA info{};
        SHGetFileInfoA((folder + "\\" + names[i]).c_str(), 0, &info, sizeof info,
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    }
    return 0;
}

int Probe(const std::string& folder) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const auto names = FilesOf(folder);
    const std::string progress = folder + ".progress";
    std::vector<std::string> crashed;
    std::size_t start = 0;
    const DWORD began = GetTickCount();
    while (start < names.size()) {
        std::string command = "\"" + std::string(self) + "\" child \"" + folder + "\" " +
                              std::to_string(start) + " \"" + progress + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            std::fprintf(stderr, "cannot start the child\n");
            return 1;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        if (status == 0)
            break;
        std::size_t at = start;
        std::ifstream(progress) >> at;
        crashed.push_back(names[at]);
        std::printf("crash 0x%08lX on %s\n", status, names[at].c_str());
        std::fflush(stdout);
        start = at + 1;
    }
    DeleteFileA(progress.c_str());
    std::printf("%zu files, the shell's icon lookup crashed on %zu (%.1f s)\n", names.size(),
                crashed.size(), (GetTickCount() - began) / 1000.0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "write")
        return Write(argv[2]);
    if (mode == "probe")
        return Probe(argv[2]);
    if (mode == "child" && argc > 4)
        return Child(argv[2], std::strtoul(argv[3], nullptr, 10), argv[4]);
    std::fprintf(stderr, "usage: shell_icon_probe write|probe FOLDER\n");
    return 2;
}
