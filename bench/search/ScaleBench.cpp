// Times and weighs the lists at scale: a generated tree of programs (by default 50,000 in 100
// folders, 120,000 icons: every five files hold 3, 3, 2, 2 and 2 icon groups) searched in "All
// files" mode in the started application. Printed: the walk and the engine's listing of the same
// files without the window, the time until both lists are full, the first and the last 10,000
// files' share of it (by the icons the icon list holds), the process's private bytes before,
// when full and after emptying, the longest wait of WM_NULL sent from another thread while the
// window empties both lists for another folder, and what a file's records weigh in the fill's
// hand-over. The tree is made once under the temporary folder (hard links to two small programs)
// and kept for later runs.
//   scale_bench [files] [hold]   (under Wine: scripts/wine-session scripts/wine-run ...)
#include "../support/AppPump.h"
#include "../support/BenchSupport.h"
#include "../support/GeneratedFolder.h"
#include "IconListCtrl.h"
#include "IconListView.h"
#include "ListedFile.h"
#include "MainFrm.h"
#include "QuarvelApp.h"
#include "Win32FolderSource.h"
#include "resource.h"
#include "support/IconData.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {
using namespace quarvel::search;

constexpr int kDefaultFiles = 50000;
constexpr int kFolders = 100;
constexpr int kSliceFiles = 10000; // the first and the last this many files are timed
// Of every five files, this many hold three icon groups, the others two: 2.4 icons a file.
constexpr int kThreeGroupsOfFive = 2;

// The process's private bytes as Windows counts them (Wine reports none: its committed bytes
// stand in, the same figure there), and its working set, the resident memory.
struct Memory {
    double privateMb = 0;
    double workingSetMb = 0;
};

Memory MemoryNow() {
    Memory memory;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        const SIZE_T committed =
            counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
        memory.privateMb = static_cast<double>(committed) / (1024.0 * 1024.0);
        memory.workingSetMb = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
    }
    return memory;
}

void PrintMemory(const char* what, const Memory& memory) {
    std::printf("%-34s committed %8.1f MB, working set %8.1f MB\n", what, memory.privateMb,
                memory.workingSetMb);
}

// A small program with `groups` icon groups of a 16- and a 32-pixel image each.
bool WriteProgram(const std::string& path, int groups) {
    using namespace quarvel::test;
    ResourceTree tree;
    for (int group = 0; group < groups; ++group) {
        const auto seed = static_cast<std::uint8_t>(group);
        AddIconGroup(tree, Key(group + 1), 0x409,
                     {MakeBmpImage(16, 32, seed), MakeBmpImage(32, 32, seed)}, {16, 32}, {32, 32},
                     static_cast<std::uint16_t>(group * 2 + 1));
    }
    const Bytes image = BuildImageWithResources(tree, true);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr) &&
        written == image.size();
    CloseHandle(file);
    return ok;
}

std::string GeneratedTree(int files) {
    return bench::GeneratedFolder(
        "quarvel scale bench " + std::to_string(files), [files](const std::string& root) {
            const std::string twoGroups = root + "\\two.bin", threeGroups = root + "\\three.bin";
            if (!WriteProgram(twoGroups, 2) || !WriteProgram(threeGroups, 3))
                return false;
            for (int folder = 0; folder < kFolders; ++folder)
                CreateDirectoryA((root + "\\folder" + std::to_string(folder)).c_str(), nullptr);
            for (int i = 0; i < files; ++i) {
                const std::string& source = i % 5 < kThreeGroupsOfFive ? threeGroups : twoGroups;
                const std::string target = root + "\\folder" + std::to_string(i % kFolders) +
                                           "\\program" + std::to_string(i) + ".exe";
                if (!CreateHardLinkA(target.c_str(), source.c_str(), nullptr) &&
                    !CopyFileA(source.c_str(), target.c_str(), FALSE))
                    return false;
            }
            // The two originals are no programs of the tree: the search looks for every file.
            DeleteFileA(twoGroups.c_str());
            DeleteFileA(threeGroups.c_str());
            return true;
        });
}

struct Collected : FoundSink {
    void Found(const std::string& path) override { paths.push_back(path); }
    std::vector<std::string> paths;
};

void PumpFor(double seconds) {
    const double end = bench::Now() + seconds;
    bench::PumpAppUntil([end] { return bench::Now() >= end; });
}

// Sends the window WM_NULL from another thread, over and over, and keeps the longest wait.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window)
        : m_thread([this, window] {
              while (!m_stop) {
                  const double start = bench::Now();
                  DWORD_PTR result = 0;
                  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
                  m_longest = std::max(m_longest.load(), bench::Now() - start);
                  Sleep(2);
              }
              m_ended = true;
          }) {}
    ~AnswerProbe() { Stop(); }
    // The window's thread calls this: it answers the last message while it waits.
    double Stop() {
        m_stop = true;
        bench::PumpAppUntil([this] { return m_ended.load(); });
        if (m_thread.joinable())
            m_thread.join();
        return m_longest * 1000;
    }

private:
    std::atomic<bool> m_stop{false}, m_ended{false};
    std::atomic<double> m_longest{0};
    std::thread m_thread;
};

// What the fill's hand-over keeps per file: the records of the found files' icons, as the
// worker reads them, weighed by the private bytes they take.
void WeighRecords(const std::vector<std::string>& paths) {
    const Memory before = MemoryNow();
    std::vector<FileIcons> records;
    records.reserve(paths.size());
    RowIconRule rule;
    int icons = 0;
    for (const std::string& path : paths) {
        records.push_back(ReadFileIcons(path.c_str(), true, rule));
        icons += records.back().count;
    }
    const Memory after = MemoryNow();
    const double grown =
        std::max(after.privateMb - before.privateMb, after.workingSetMb - before.workingSetMb);
    std::printf("records of %zu files' %d icons (FileIcons) %8.1f MB, %6.0f bytes an icon\n",
                paths.size(), icons, grown, grown * 1024 * 1024 / std::max(1, icons));
}
} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::max(kSliceFiles, std::atoi(argv[1])) : kDefaultFiles;
    const int holdSeconds = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::string root = GeneratedTree(files);
    if (root.empty()) {
        std::fprintf(stderr, "scale_bench: the tree could not be made\n");
        return 1;
    }
    const std::string elsewhere = bench::GeneratedFolder("quarvel scale bench elsewhere",
                                                         [](const std::string&) { return true; });

    // Without the window: the walk, then the engine's listing of every file it found.
    Collected found;
    const double walkStart = bench::Now();
    {
        Win32FolderSource source;
        std::atomic<bool> stop{false};
        SearchWalk(source, SearchFilter{}, true, stop, found).SearchFolder(root);
    }
    const double walk = bench::Now() - walkStart;
    bench::Counter counter;
    int icons = 0;
    for (const std::string& path : found.paths)
        icons += quarvel::ListIconGroups(path.c_str(), &counter);
    const double listing = bench::Now() - walkStart;
    std::printf("tree %s: %zu files, %d icons\n", root.c_str(), found.paths.size(), icons);
    std::printf("walk alone                      %8.1f s\n", walk);
    std::printf("walk and the engine's listing   %8.1f s\n", listing);
    std::fflush(stdout);

    AfxWinInit(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "scale_bench: Quarvel did not start\n");
        return 1;
    }
    auto* frame = static_cast<CMainFrame*>(AfxGetMainWnd());
    CSearchDlg* form = frame->GetSearchForm();
    CIconListCtrl& iconList = frame->GetIconList()->GetListCtrl();
    frame->SearchInFolder(root.c_str());
    const HWND allFiles = GetDlgItem(form->m_hWnd, IDC_ALL_FILES);
    if (SendMessageA(allFiles, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessageA(allFiles, BM_CLICK, 0, 0);
    PumpFor(1);
    const Memory before = MemoryNow();

    // The search, until both lists are full; the icon list's count tells how far the files got.
    const int firstSliceIcons = icons * kSliceFiles / std::max<int>(1, found.paths.size());
    const int lastSliceFrom = icons - firstSliceIcons;
    double firstSlice = 0, lastSliceStart = 0;
    const double start = bench::Now();
    form->SendMessage(WM_COMMAND, IDC_FIND);
    bench::PumpAppUntil([&] {
        const int listed = iconList.GetItemCount();
        if (!firstSlice && listed >= firstSliceIcons)
            firstSlice = bench::Now() - start;
        if (!lastSliceStart && listed >= lastSliceFrom)
            lastSliceStart = bench::Now();
        return !form->IsSearching() && !frame->IsFilling();
    });
    const double fill = bench::Now() - start;
    const double lastSlice = bench::Now() - lastSliceStart;
    const int rows = frame->GetFileList()->GetListCtrl().GetItemCount();
    const int listed = iconList.GetItemCount();
    PumpFor(1);
    const Memory full = MemoryNow();

    // Another folder empties both lists; a second thread measures how long the window is deaf.
    // Each list's part is timed first, as ShowFolder empties them (the fill's end, the icon
    // list, the file list), then ShowFolder itself.
    double deaf = 0, emptying = 0, iconsEmptying = 0, filesEmptying = 0;
    {
        AnswerProbe probe(frame->m_hWnd);
        Sleep(50);
        const double emptyStart = bench::Now();
        frame->GetFileList()->StopFill();
        frame->GetIconList()->RemoveAll();
        iconsEmptying = bench::Now() - emptyStart;
        frame->GetFileList()->RemoveAll();
        filesEmptying = bench::Now() - emptyStart - iconsEmptying;
        frame->ShowFolder(elsewhere.c_str());
        emptying = bench::Now() - emptyStart;
        PumpFor(0.5);
        deaf = probe.Stop();
    }
    PumpFor(2);
    const Memory after = MemoryNow();

    std::printf("search and fill: %d rows, %d icons %8.1f s   ratio to the listing alone %5.2f "
                "(goal: within 1.5)\n",
                rows, listed, fill, fill / listing);
    std::printf("first %d files                %8.1f s\n", kSliceFiles, firstSlice);
    std::printf("last %d files                 %8.1f s   (goal: no slower than the first)\n",
                kSliceFiles, lastSlice);
    PrintMemory("before the search", before);
    PrintMemory("with the lists full (goal: 300 MB)", full);
    std::printf("emptying both lists and ShowFolder %7.1f ms (icon list %.1f ms, file list %.1f "
                "ms), longest wait for an answer %7.1f ms (goal: within 100 ms)\n",
                emptying * 1000, iconsEmptying * 1000, filesEmptying * 1000, deaf);
    PrintMemory("afterwards", after);
    std::printf(
        "afterwards against before: committed %+.1f MB, working set %+.1f MB (goal: at most "
        "+50 MB)\n",
        after.privateMb - before.privateMb, after.workingSetMb - before.workingSetMb);
    WeighRecords(found.paths);
    std::fflush(stdout);

    PumpFor(std::max(0, holdSeconds));
    frame->DestroyWindow();
    theApp.ExitInstance();
    return 0;
}
