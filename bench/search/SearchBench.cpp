// Times the search on a generated tree of 20,000 files in 400 folders, 2,000 of them image files
// named .exe: a bare walk (FindFirstFileA / FindNextFileA only), the worker's walk in type mode
// and in "all files" mode (the worker alone, found files only counted), the file list taking the
// 2,000 files alone, and a whole search from Find until the file list holds them. The tree is
// made once under the temporary folder and kept for later runs; the best of N runs counts.
//   search_bench [runs] [hold]   (under Wine: scripts/wine-session scripts/wine-run ...)
// With hold, the window stays up that many seconds afterwards, on the "Search" page with the
// results, so that it can be looked at or captured.
#include "../support/BenchSupport.h"
#include "../support/GeneratedFolder.h"
#include "MainFrm.h"
#include "QuarvelApp.h"
#include "Win32FolderSource.h"
#include "resource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {
using namespace quarvel::search;

constexpr int kGroups = 20; // top folders, each with 19 subfolders: 400 folders
constexpr int kSubfolders = 19;
constexpr int kFilesPerFolder = 50; // 20,000 files
constexpr int kImagesPerFolder = 5; // 2,000 of them image files

void fillFolder(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kFilesPerFolder; ++i) {
        const bool image = i % (kFilesPerFolder / kImagesPerFolder) == 0;
        bench::WriteFileOfSize(folder + "\\file" + std::to_string(i) + (image ? ".exe" : ".txt"),
                               image ? 4096 : 100, image);
    }
}

// The tree, made on the first run.
std::string generatedTree() {
    return bench::GeneratedFolder("quarvel search bench", [](const std::string& root) {
        for (int group = 0; group < kGroups; ++group) {
            const std::string top = root + "\\group" + std::to_string(group);
            fillFolder(top);
            for (int sub = 0; sub < kSubfolders; ++sub)
                fillFolder(top + "\\sub" + std::to_string(sub));
        }
        return true;
    });
}

// What any walk of the tree has to do, and nothing more.
int bareWalk(const std::string& folder) {
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, ".."))
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            files += bareWalk(folder + "\\" + found.cFileName);
        else
            ++files;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return files;
}

struct Collected : FoundSink {
    void Found(const std::string& path) override { paths.push_back(path); }
    std::vector<std::string> paths;
};

std::vector<std::string> workerWalk(const std::string& root, const SearchFilter& filter) {
    Win32FolderSource source;
    std::atomic<bool> stop{false};
    Collected found;
    SearchWalk(source, filter, true, stop, found).SearchFolder(root);
    return found.paths;
}

void pumpUntil(const std::function<bool()>& done) {
    while (!done()) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        theApp.OnIdle(0);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int holdSeconds = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::string root = generatedTree();

    AfxWinInit(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "search_bench: Quarvel did not start\n");
        return 1;
    }
    auto* frame = static_cast<CMainFrame*>(AfxGetMainWnd());
    CSearchDlg* form = frame->GetSearchForm();

    SearchFilter types;
    types.allFiles = false;
    int files = 0;
    std::vector<std::string> typeFound, allFound;
    const double bare = bench::BestMilliseconds(runs, [&] { files = bareWalk(root); });
    const double typeWalk =
        bench::BestMilliseconds(runs, [&] { typeFound = workerWalk(root, types); });
    const double allWalk =
        bench::BestMilliseconds(runs, [&] { allFound = workerWalk(root, SearchFilter{}); });
    // The file list's own best: every file in one batch, repainted once.
    const double listAlone = bench::BestMilliseconds(runs, [&] {
        frame->ClearFileList();
        frame->AddFoundFiles(typeFound);
        pumpUntil([&] { return !frame->IsFilling(); });
    });
    const double listOneByOne = bench::BestMilliseconds(1, [&] {
        frame->ClearFileList();
        for (const std::string& path : typeFound)
            frame->AddFoundFile(path.c_str());
        pumpUntil([&] { return !frame->IsFilling(); });
    });

    frame->SearchInFolder(root.c_str());
    const HWND allFiles = GetDlgItem(form->m_hWnd, IDC_ALL_FILES);
    if (SendMessageA(allFiles, BM_GETCHECK, 0, 0) == BST_CHECKED)
        SendMessageA(allFiles, BM_CLICK, 0, 0);
    const double search = bench::BestMilliseconds(runs, [&] {
        form->SendMessage(WM_COMMAND, IDC_FIND);
        pumpUntil([&] { return !form->IsSearching() && !frame->IsFilling(); });
    });
    const int rows = frame->GetFileList()->GetListCtrl().GetItemCount();

    std::printf("tree %s: %d files; type mode finds %zu, all files %zu (best of %d runs)\n",
                root.c_str(), files, typeFound.size(), allFound.size(), runs);
    std::printf("bare walk                 %9.1f ms\n", bare);
    std::printf("worker walk, type mode    %9.1f ms   ratio %5.2f (goal: within 1.5)\n", typeWalk,
                typeWalk / bare);
    std::printf("worker walk, all files    %9.1f ms   ratio %5.2f\n", allWalk, allWalk / bare);
    std::printf("file list alone, %d files %9.1f ms\n", static_cast<int>(typeFound.size()),
                listAlone);
    std::printf("  (handed one by one     %9.1f ms)\n", listOneByOne);
    std::printf("whole search, %d rows    %9.1f ms   ratio %5.2f (goal: within 1.5)\n", rows,
                search, search / listAlone);
    std::printf("abandoned runs: %d\n", form->AbandonedRuns());
    std::fflush(stdout);

    const DWORD end = GetTickCount() + static_cast<DWORD>(std::max(0, holdSeconds)) * 1000;
    pumpUntil([&] { return GetTickCount() >= end; });
    frame->DestroyWindow();
    theApp.ExitInstance();
    return 0;
}
