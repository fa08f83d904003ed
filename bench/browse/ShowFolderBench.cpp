// Times the main frame's ShowFolder on a folder (default C:\windows\system32) against a bare
// pass over the same folder: enumerate, read each entry's attributes, ask the shell for its small
// icon (which reads .exe and .ico files: do not point it at damaged files). Both run in the same
// process, warmed up once; the best of N runs counts.
//   browse_bench [folder] [runs] [hold]   (under Wine: scripts/wine-session scripts/wine-run ...)
// With hold, the window stays up that many seconds afterwards, the first icon focused, so that it
// can be looked at or captured.
#include "../support/BenchSupport.h"
#include "FileRowIcons.h"
#include "MainFrm.h"
#include "QuarvelApp.h"

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace {

// What any listing of the folder has to do, and nothing more.
int barePass(const std::string& folder) {
    int entries = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, ".."))
            continue;
        const std::string path = folder + "\\" + found.cFileName;
        WIN32_FILE_ATTRIBUTE_DATA attributes;
        SHFILEINFOA shell{};
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes) &&
            SHGetFileInfoA(path.c_str(), 0, &shell, sizeof shell,
                           SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
            ++entries;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return entries;
}
// The engine's part of ShowFolder alone: each file's icons listed into a receiver that only
// counts them.
struct CountingReceiver : quarvel::IconListReceiver {
    int AddGroupIcon(const char*, quarvel::ResKey, std::uint16_t) override { return ++icons, 1; }
    int AddIconFile(const char*) override { return ++icons, 1; }
    int icons = 0;
};

int iconListing(const std::string& folder) {
    CountingReceiver receiver;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            quarvel::ListIconGroups((folder + "\\" + found.cFileName).c_str(), &receiver);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return receiver.icons;
}
// The row icons alone, as the file list makes them: each file's icons listed (their first
// remembered), then the icon chosen by the rule of CFileRowIcons.
int rowIcons(const std::string& folder) {
    CFileRowIcons icons;
    CountingReceiver receiver;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int made = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::string path = folder + "\\" + found.cFileName;
        FirstIconRecorder listed(&receiver);
        quarvel::ListIconGroups(path.c_str(), &listed);
        made += icons.ForFile(path.c_str(), listed) >= 0;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return made;
}
} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "C:\\windows\\system32";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int holdSeconds = argc > 3 ? std::atoi(argv[3]) : 0;

    AfxWinInit(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "browse_bench: Quarvel did not start\n");
        return 1;
    }
    auto* frame = static_cast<CMainFrame*>(AfxGetMainWnd());

    int bareEntries = 0;
    const double bare = bench::BestMilliseconds(runs, [&] { bareEntries = barePass(folder); });
    const double listing = bench::BestMilliseconds(runs, [&] { iconListing(folder); });
    const double listedWithRowIcons = bench::BestMilliseconds(runs, [&] { rowIcons(folder); });
    const double shown = bench::BestMilliseconds(runs, [&] { frame->ShowFolder(folder.c_str()); });
    const int rows = frame->GetFileList()->GetListCtrl().GetItemCount();
    const int icons = frame->GetIconList()->GetListCtrl().GetItemCount();

    std::printf("folder %s: %d entries, %d rows, %d icons (best of %d runs)\n", folder.c_str(),
                bareEntries, rows, icons, runs);
    std::printf("bare pass  %8.1f ms\n", bare);
    std::printf("  (icon listing alone %8.1f ms)\n", listing);
    std::printf("  (icon listing and row icons %8.1f ms)\n", listedWithRowIcons);
    std::printf("ShowFolder %8.1f ms\n", shown);
    std::printf("ratio      %8.2f (goal: within 2)\n", bare > 0 ? shown / bare : 0.0);
    std::fflush(stdout);

    if (holdSeconds > 0) {
        CIconListCtrl& iconList = frame->GetIconList()->GetListCtrl();
        iconList.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        const DWORD end = GetTickCount() + static_cast<DWORD>(holdSeconds) * 1000;
        while (GetTickCount() < end) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            theApp.OnIdle(0);
            Sleep(10);
        }
    }
    frame->DestroyWindow();
    theApp.ExitInstance();
    return 0;
}
