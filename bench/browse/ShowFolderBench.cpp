// Times the main frame's ShowFolder on a folder (by default one made of 5,000 image files) and
// how well the window answers meanwhile. Beside it: the engine's listing alone, the listing with
// the row icons, and the synchronous fill (every entry added at once, as one message would: the
// engine's listing plus the list insertions). A second process sends the window WM_NULL over and
// over during the fill; its longest wait is the longest stretch in which the window did not
// answer. All run in the same process, warmed up once; the best of N runs counts.
// First, Quarvel.exe is started on the folder three times (after one start not counted): how long
// its window, once visible, takes to answer, and its longest wait in the seconds after.
//   browse_bench [folder|""] [runs] [hold]   (under Wine: scripts/wine-session scripts/wine-run
//   ...)
//   browse_bench startup [Quarvel.exe]       only the starts, of that program
// With hold, the window stays up that many seconds afterwards, the first icon focused, so that it
// can be looked at or captured.
#include "../support/AppPump.h"
#include "../support/BenchSupport.h"
#include "../support/GeneratedFolder.h"
#include "MainFrm.h"
#include "QuarvelApp.h"
#include "StartUpProbe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kGeneratedFiles = 5000;
// Programs hold a few icons each: the few libraries with hundreds are left out.
constexpr int kMostIconsPerFile = 10;
constexpr int kStartUps = 3;
// How long the started program is probed after its first answer: while it fills the folder.
constexpr double kStartUpWatchSeconds = 3;

// The folder of 5,000 image files: links to (or copies of) the system folder's image files that
// hold icons, made on the first run; the system folder itself when it has none.
std::string generatedFolder() {
    const std::string folder =
        bench::GeneratedFolder("quarvel browse bench", [](const std::string& folder) {
            std::vector<std::string> sources;
            for (const std::string& file : bench::LibraryFiles("C:\\windows\\system32")) {
                bench::Counter counter;
                const int icons = quarvel::ListIconGroups(file.c_str(), &counter);
                if (icons > 0 && icons <= kMostIconsPerFile)
                    sources.push_back(file);
            }
            for (int i = 0; i < kGeneratedFiles && !sources.empty(); ++i) {
                const std::string& source = sources[static_cast<std::size_t>(i) % sources.size()];
                const std::string target =
                    folder + "\\" + std::to_string(i) + "-" + source.substr(source.rfind('\\') + 1);
                if (!CreateHardLinkA(target.c_str(), source.c_str(), nullptr))
                    CopyFileA(source.c_str(), target.c_str(), FALSE);
            }
            return !sources.empty();
        });
    return folder.empty() ? "C:\\windows\\system32" : folder;
}

// The engine's part alone: each file's icons listed into a receiver that only counts them.
int iconListing(const std::string& folder) {
    bench::Counter counter;
    int icons = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            icons += quarvel::ListIconGroups((folder + "\\" + found.cFileName).c_str(), &counter);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return icons;
}

// The listing with the row icons, as the file list chooses and makes them.
int rowIcons(const std::string& folder) {
    CFileRowIcons icons;
    RowIconRule rule;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int made = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::string path = folder + "\\" + found.cFileName;
        FileIcons listed = ReadFileIcons(path.c_str(), true, rule);
        made += icons.ForFile(path.c_str(), std::move(listed.rowIcon)) >= 0;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return made;
}

// Every entry added within one message, the lists frozen, then sorted: what ShowFolder did
// before it filled in slices.
void synchronousFill(CMainFrame& frame, const std::string& folder) {
    frame.ClearFileList();
    CFileListView& files = *frame.GetFileList();
    CWnd* lists[] = {&files.GetListCtrl(), &frame.GetIconList()->GetListCtrl()};
    for (CWnd* list : lists)
        list->SendMessage(WM_SETREDRAW, FALSE);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do
            if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
                files.AddFile((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    files.Resort();
    for (CWnd* list : lists) {
        list->SendMessage(WM_SETREDRAW, TRUE);
        list->Invalidate();
    }
}

// The second process: sends WM_NULL to the window until the event is set; its exit code is the
// longest wait in milliseconds.
int probe(HWND window, const char* stopEvent) {
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, stopEvent);
    if (!stop)
        return -1;
    double longest = 0;
    while (WaitForSingleObject(stop, 0) == WAIT_TIMEOUT) {
        const double start = bench::Now();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
        longest = std::max(longest, (bench::Now() - start) * 1000);
        Sleep(1);
    }
    CloseHandle(stop);
    return static_cast<int>(longest + 0.5);
}

// One fill of the folder timed from ShowFolder: to the first row, to the last row, to the end,
// and the longest wait of the probe process meanwhile.
struct FillTimes {
    double call = 0; // ShowFolder itself, which empties the lists of the fill before
    double firstRow = 0, allRows = 0, end = 0;
    int longestWait = 0;
};

FillTimes timedFill(CMainFrame& frame, const std::string& folder, int entries) {
    FillTimes times;
    static int fills = 0;
    const std::string stopName =
        "quarvel browse bench " + std::to_string(GetCurrentProcessId()) + std::to_string(++fills);
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, stopName.c_str());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" probe " +
                          std::to_string(reinterpret_cast<std::uintptr_t>(frame.m_hWnd)) + " \"" +
                          stopName + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const bool probing = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &child);
    // The probe is sending before the fill starts.
    const double probeStart = bench::Now();
    bench::PumpAppUntil([&] { return bench::Now() - probeStart > 0.3; });

    CFileListCtrl& rows = frame.GetFileList()->GetListCtrl();
    const double start = bench::Now();
    frame.ShowFolder(folder.c_str());
    times.call = bench::Now() - start;
    bench::PumpAppUntil([&] {
        const double now = bench::Now();
        if (times.firstRow == 0 && rows.GetItemCount() > 0)
            times.firstRow = now - start;
        if (times.allRows == 0 && rows.GetItemCount() >= entries)
            times.allRows = now - start;
        return !frame.IsFilling();
    });
    times.end = bench::Now() - start;

    SetEvent(stop);
    if (probing) {
        // The probe may be waiting for an answer: keep answering until it has gone.
        bench::PumpAppUntil(
            [&] { return WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0; });
        DWORD code = 0;
        GetExitCodeProcess(child.hProcess, &code);
        times.longestWait = static_cast<int>(code);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    } else {
        times.longestWait = -1;
    }
    CloseHandle(stop);
    return times;
}
// Starts the program on the folder, once to warm up, then kStartUps times, printing each start.
void timeStartUps(const std::string& program, const std::string& folder) {
    bench::TimeStartUp(program, folder, 0);
    for (int run = 1; run <= kStartUps; ++run) {
        const auto times = bench::TimeStartUp(program, folder, kStartUpWatchSeconds);
        if (!times) {
            std::printf("start-up %d: %s did not show its window\n", run, program.c_str());
            continue;
        }
        std::printf(
            "start-up %d: visible after %7.1f ms; first answer %7.1f ms later (goal: at most "
            "100), longest wait in the next %.0f s %7.1f ms\n",
            run, times->shown, times->firstAnswer, kStartUpWatchSeconds, times->longestWait);
    }
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 3 && std::string(argv[1]) == "probe")
        return probe(reinterpret_cast<HWND>(std::strtoull(argv[2], nullptr, 10)), argv[3]);
    // Quarvel.exe, built beside the benchmark, by its name on Wine's Z: drive.
    const std::string quarvel = std::string("Z:") + QUARVEL_EXE;
    if (argc > 1 && std::string(argv[1]) == "startup") {
        timeStartUps(argc > 2 ? argv[2] : quarvel, generatedFolder());
        return 0;
    }
    const std::string folder = argc > 1 && *argv[1] ? argv[1] : generatedFolder();
    timeStartUps(quarvel, folder);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const int holdSeconds = argc > 3 ? std::atoi(argv[3]) : 0;

    AfxWinInit(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "browse_bench: Quarvel did not start\n");
        return 1;
    }
    auto* frame = static_cast<CMainFrame*>(AfxGetMainWnd());
    bench::PumpAppUntil([&] { return !frame->IsFilling(); });

    int icons = 0;
    const double listing = bench::BestMilliseconds(runs, [&] { icons = iconListing(folder); });
    const double listedWithRowIcons = bench::BestMilliseconds(runs, [&] { rowIcons(folder); });
    // Until the lists have painted, as the fill in slices is: the icon list makes the pictures
    // of the icons it shows while it paints.
    const double synchronous = bench::BestMilliseconds(runs, [&] {
        synchronousFill(*frame, folder);
        bench::PumpAppUntil([] {
            MSG msg;
            return !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        });
    });
    const int entries = frame->GetFileList()->GetListCtrl().GetItemCount();

    FillTimes best;
    best.end = 1e300;
    int longestWait = 0;                // over every run
    timedFill(*frame, folder, entries); // warm-up
    for (int run = 0; run < runs; ++run) {
        const FillTimes times = timedFill(*frame, folder, entries);
        longestWait = std::max(longestWait, times.longestWait);
        if (times.end < best.end)
            best = times;
    }
    const int rows = frame->GetFileList()->GetListCtrl().GetItemCount();
    const int listed = frame->GetIconList()->GetListCtrl().GetItemCount();

    std::printf("folder %s: %d rows, %d icons (listing counts %d; best of %d runs)\n",
                folder.c_str(), rows, listed, icons, runs);
    std::printf("icon listing alone                %9.1f ms\n", listing);
    std::printf("icon listing and row icons        %9.1f ms\n", listedWithRowIcons);
    std::printf("synchronous fill (one message)    %9.1f ms\n", synchronous);
    std::printf("ShowFolder: the call itself       %9.1f ms\n", best.call * 1000);
    std::printf("            first row             %9.1f ms\n", best.firstRow * 1000);
    std::printf("            every row             %9.1f ms\n", best.allRows * 1000);
    std::printf("            filled                %9.1f ms   ratio %5.2f to the synchronous "
                "fill (goal: within 1.5)\n",
                best.end * 1000, synchronous > 0 ? best.end * 1000 / synchronous : 0.0);
    std::printf("longest stretch without an answer %9d ms   (any run; goal: at most 100)\n",
                longestWait);
    std::fflush(stdout);

    if (holdSeconds > 0) {
        CIconListCtrl& iconList = frame->GetIconList()->GetListCtrl();
        iconList.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        const DWORD end = GetTickCount() + static_cast<DWORD>(holdSeconds) * 1000;
        bench::PumpAppUntil([&] { return GetTickCount() >= end; });
    }
    frame->DestroyWindow();
    theApp.ExitInstance();
    return 0;
}
