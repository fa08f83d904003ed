// The search worker's thread, its hand-over of found paths and its ending.
#include "SearchWorker.h"

#include "Win32FolderSource.h"

#include <atomic>
#include <utility>

namespace quarvel::search {

namespace {
constexpr DWORD kForcedExitCode = static_cast<DWORD>(-1000);
constexpr DWORD kRoomCheckMs = 100; // the wait for room also rechecks this often

// Holds a critical section for one scope.
class Locked {
public:
    explicit Locked(CRITICAL_SECTION& lock) : m_lock(lock) { EnterCriticalSection(&m_lock); }
    ~Locked() { LeaveCriticalSection(&m_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& m_lock;
};
} // namespace

// One search: what to walk, the stop flag and the results shared with the window. The worker
// holds the lock only to append one path, never across a call that can block.
struct SearchWorker::Run : FoundSink {
    Run(HWND window, std::string folder, const SearchFilter& filter, bool includeSubfolders,
        FolderSource& source)
        : window(window), folder(std::move(folder)), filter(filter),
          includeSubfolders(includeSubfolders), source(source) {
        InitializeCriticalSection(&lock);
        room = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
    ~Run() override {
        DeleteCriticalSection(&lock);
        if (room)
            CloseHandle(room);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    void Found(const std::string& path) override {
        std::string copy = path;
        std::size_t waiting;
        {
            Locked hold(lock);
            pending.push_back(std::move(copy));
            ++found;
            lastFound = path;
            waiting = pending.size();
        }
        // One pair of notifications for a batch: a message per file would keep the window busy
        // with the messages themselves when it takes files as fast as they are found.
        if (waiting == kBatch) {
            PostMessageA(window, WM_SEARCH_PROGRESS, 0, 0);
            PostMessageA(window, WM_SEARCH_RESULTS, 0, 0);
        }
        // Keeps the pending list small: wait until the window has taken it. While it has not,
        // the announcement is repeated now and then, in case a post was lost.
        while (waiting > kMaxPending && !stop.load()) {
            if (WaitForSingleObject(room, kRoomCheckMs) == WAIT_TIMEOUT)
                PostMessageA(window, WM_SEARCH_RESULTS, 0, 0);
            Locked hold(lock);
            waiting = pending.size();
        }
    }

    const HWND window;
    const std::string folder;
    const SearchFilter filter;
    const bool includeSubfolders;
    FolderSource& source;
    std::atomic<bool> stop{false};
    HANDLE room = nullptr; // set when the window takes the pending list, and on a stop request

    CRITICAL_SECTION lock; // guards the three below
    std::vector<std::string> pending;
    unsigned found = 0;
    std::string lastFound;
};

SearchWorker::SearchWorker(FolderSource* source, DWORD stopWaitMs)
    : m_ownSource(source ? nullptr : new Win32FolderSource),
      m_source(source ? source : m_ownSource.get()), m_stopWait(stopWaitMs) {}

SearchWorker::~SearchWorker() {
    StopWorker();
    delete m_run;
}

DWORD WINAPI SearchWorker::SearchThreadProc(void* argument) {
    auto* run = static_cast<Run*>(argument);
    if (!run)
        return static_cast<DWORD>(-100);
    if (run->stop.load())
        return 1;
    SearchWalk walk(run->source, run->filter, run->includeSubfolders, run->stop, *run);
    walk.SearchFolder(run->folder);
    if (!run->stop.load())
        PostMessageA(run->window, WM_SEARCH_FINISHED, 0, 0);
    return 1;
}

bool SearchWorker::Start(HWND window, const std::string& folder, const SearchFilter& filter,
                         bool includeSubfolders) {
    StopWorker();
    delete m_run;
    m_run = new Run(window, folder, filter, includeSubfolders, *m_source);
    m_thread = CreateThread(nullptr, 0, SearchThreadProc, m_run, 0, nullptr);
    if (!m_thread)
        m_run->stop = true;
    return m_thread != nullptr;
}

void SearchWorker::StopWorker() {
    if (!m_run)
        return;
    m_run->stop = true;
    if (m_run->room)
        SetEvent(m_run->room);
    if (!m_thread)
        return;
    if (WaitForSingleObject(m_thread, m_stopWait) == WAIT_TIMEOUT)
        EndForcibly();
    CloseHandle(m_thread);
    m_thread = nullptr;
}

// The last resort. The ended thread's run is left behind, never freed: its lock may still be
// held and its pending list half-written. What can be read safely is kept in a fresh run, so
// that the window can take it and the next search starts clean.
void SearchWorker::EndForcibly() {
    TerminateThread(m_thread, kForcedExitCode);
    WaitForSingleObject(m_thread, INFINITE);
    ++m_forcedEnds;
    Run* left = m_run;
    m_run = new Run(left->window, left->folder, left->filter, left->includeSubfolders, *m_source);
    m_run->stop = true;
    m_run->found = left->found;
    if (TryEnterCriticalSection(&left->lock)) {
        m_run->pending = std::move(left->pending);
        m_run->lastFound = left->lastFound;
        LeaveCriticalSection(&left->lock);
    }
}

std::vector<std::string> SearchWorker::TakePending() {
    std::vector<std::string> taken;
    if (!m_run)
        return taken;
    {
        Locked hold(m_run->lock);
        taken.swap(m_run->pending);
    }
    if (m_run->room)
        SetEvent(m_run->room);
    return taken;
}

unsigned SearchWorker::FoundCount() const {
    if (!m_run)
        return 0;
    Locked hold(m_run->lock);
    return m_run->found;
}

std::string SearchWorker::LastFound() const {
    if (!m_run)
        return {};
    Locked hold(m_run->lock);
    return m_run->lastFound;
}

} // namespace quarvel::search
