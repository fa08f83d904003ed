// The search worker: one thread per search walks the folder tree and hands the files it finds to
// a window through a locked pending list, announced by posted messages. Each search is a run with
// a number; a run that does not stop in time is abandoned, never killed: its thread ends on its
// own at its next stop check and frees what it shares with the worker.
#pragma once

#include "SearchWalk.h"

#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace quarvel::search {

// Posted by the worker to the window it reports to, with the run's number in wParam, lParam 0.
// A window takes them only for the run that is current (RunNumber): a late one of an earlier run
// means nothing.
constexpr UINT WM_SEARCH_FINISHED = WM_USER + 5; // the walk ended without a stop request
constexpr UINT WM_SEARCH_RESULTS = WM_USER + 7;  // a batch of found paths waits to be taken

class SearchWorker {
public:
    static constexpr DWORD kStopWaitMs = 5000;
    // The worker announces a batch when this many paths have been found since its last
    // announcement, or when the first of them has waited kFlushMs.
    static constexpr std::size_t kBatch = 32;
    static constexpr DWORD kFlushMs = 50;
    // Above this many pending paths the worker waits until the window has taken them.
    static constexpr std::size_t kMaxPending = 2 * kBatch;

    // source: the file system to walk (the real one when null); every run shares it, so that a
    // run left behind still has it. stopWaitMs: how long StopWorker waits for a run to end.
    explicit SearchWorker(std::shared_ptr<FolderSource> source = nullptr,
                          DWORD stopWaitMs = kStopWaitMs);
    ~SearchWorker(); // stops the current run like StopWorker: waits no longer than that
    SearchWorker(const SearchWorker&) = delete;
    SearchWorker& operator=(const SearchWorker&) = delete;

    // Starts a search of folder that reports to window, on a fresh run with the next number; the
    // found count starts at 0. False (and nothing running) when the thread cannot be made.
    bool Start(HWND window, const std::string& folder, const SearchFilter& filter,
               bool includeSubfolders);
    // Asks the run to stop and waits for its thread to end, up to the stop wait; a thread that
    // has not ended by then is abandoned. Once this returns the run finds and posts nothing more;
    // what it found before stays to be taken.
    void StopWorker();
    // A run has been started and not yet stopped (or has stopped and not been reaped).
    bool HasWorker() const { return m_thread.joinable(); }
    // The number of the current run, 0 before the first.
    unsigned RunNumber() const { return m_runNumber; }

    // The current run's paths found and not yet taken, oldest first; its pending list is left
    // empty.
    std::vector<std::string> TakePending();
    unsigned FoundCount() const;
    std::string LastFound() const;
    // How many runs were abandoned because their thread did not end within the stop wait.
    int AbandonedRuns() const { return m_abandonedRuns; }

private:
    struct Run;

    const std::shared_ptr<FolderSource> m_source;
    const DWORD m_stopWait;
    std::shared_ptr<Run> m_run; // the current or last run; its thread holds a share while it runs
    std::thread m_thread;
    unsigned m_runNumber = 0;
    int m_abandonedRuns = 0;
};

} // namespace quarvel::search
