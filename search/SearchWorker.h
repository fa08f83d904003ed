// The search worker: one thread per search walks the folder tree and hands the files it finds to
// a window through a locked pending list, announced by posted messages.
#pragma once

#include "SearchWalk.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace quarvel::search {

// Posted by the worker to the window it reports to, with wParam and lParam 0.
constexpr UINT WM_SEARCH_FINISHED = WM_USER + 5; // the walk ended without a stop request
constexpr UINT WM_SEARCH_PROGRESS = WM_USER + 6; // the found count and last path changed
constexpr UINT WM_SEARCH_RESULTS = WM_USER + 7;  // a batch of found paths waits to be taken

class SearchWorker {
public:
    static constexpr DWORD kStopWaitMs = 5000;
    // The worker announces a batch when this many paths are pending; the window takes smaller
    // ones on its own, now and then (TakePending), and at the end.
    static constexpr std::size_t kBatch = 32;
    // Above this many pending paths the worker waits until the window has taken them.
    static constexpr std::size_t kMaxPending = 2 * kBatch;

    // source: the file system to walk (the real one when null). stopWaitMs: how long
    // StopWorker waits for the worker before it ends it forcibly.
    explicit SearchWorker(FolderSource* source = nullptr, DWORD stopWaitMs = kStopWaitMs);
    ~SearchWorker();
    SearchWorker(const SearchWorker&) = delete;
    SearchWorker& operator=(const SearchWorker&) = delete;

    // Starts a search of folder that reports to window; the found count starts at 0. False
    // (and nothing running) when the thread cannot be made.
    bool Start(HWND window, const std::string& folder, const SearchFilter& filter,
               bool includeSubfolders);
    // Asks the worker to stop and reaps it: it ends by itself within the wait, or is ended
    // forcibly. What it found before stays to be taken.
    void StopWorker();
    // A worker has been started and not yet reaped.
    bool HasWorker() const { return m_thread != nullptr; }

    // The paths found and not yet taken, oldest first; the pending list is left empty.
    std::vector<std::string> TakePending();
    unsigned FoundCount() const;
    std::string LastFound() const;
    // How many workers had to be ended forcibly.
    int ForcedEnds() const { return m_forcedEnds; }

private:
    struct Run;
    static DWORD WINAPI SearchThreadProc(void* run);
    void EndForcibly();

    std::unique_ptr<FolderSource> m_ownSource;
    FolderSource* m_source;
    const DWORD m_stopWait;
    Run* m_run = nullptr; // the current or last search, shared with its worker while it runs
    HANDLE m_thread = nullptr;
    int m_forcedEnds = 0;
};

} // namespace quarvel::search
