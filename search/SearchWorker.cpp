// The search worker's runs: the thread, its hand-over of found paths, its stop and abandonment.
#include "SearchWorker.h"

#include "Win32FolderSource.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

namespace quarvel::search {

// One search, shared by the worker and the thread that walks: what to walk, the stop flag and the
// results. The thread holds the lock only to append a path or to post, never across a call into
// the file system, so the window can always read what was found. Once the stop flag is set under
// the lock, the run appends and posts nothing more.
struct SearchWorker::Run : FoundSink {
    Run(HWND window, unsigned number, std::string folder, const SearchFilter& filter,
        bool includeSubfolders, std::shared_ptr<FolderSource> source)
        : window(window), number(number), folder(std::move(folder)), filter(filter),
          includeSubfolders(includeSubfolders), source(std::move(source)) {}

    // The thread's whole work.
    void Search() {
        SearchWalk(*source, filter, includeSubfolders, stop, *this).SearchFolder(folder);
        std::lock_guard<std::mutex> hold(lock);
        if (!stop)
            PostMessageA(window, WM_SEARCH_FINISHED, number, 0);
        ended = true;
        wake.notify_all();
    }

    void Found(const std::string& path) override {
        std::string copy = path;
        std::unique_lock<std::mutex> hold(lock);
        if (stop)
            return;
        pending.push_back(std::move(copy));
        ++found;
        lastFound = path;
        if (unannounced++ == 0)
            firstUnannounced = GetTickCount();
        // One message per batch: a message per file would keep the window busy with the messages
        // themselves when it takes files as fast as they are found.
        if (unannounced == kBatch)
            Announce();
        // Keeps the pending list small: the batches announced are on their way to the window,
        // which wakes this wait when it takes them.
        wake.wait(hold, [this] { return stop || pending.size() <= kMaxPending; });
    }

    // Files found slowly are announced once the first of them has waited long enough.
    void Checkpoint() override {
        if (unannounced && GetTickCount() - firstUnannounced >= kFlushMs) {
            std::lock_guard<std::mutex> hold(lock);
            Announce();
        }
    }

    // Called with the lock held.
    void Announce() {
        if (!stop)
            PostMessageA(window, WM_SEARCH_RESULTS, number, 0);
        unannounced = 0;
    }

    const HWND window;
    const unsigned number;
    const std::string folder;
    const SearchFilter filter;
    const bool includeSubfolders;
    const std::shared_ptr<FolderSource> source;
    std::atomic<bool> stop{false}; // written under the lock, read by the walk without it

    std::mutex lock;              // guards what follows
    std::condition_variable wake; // room in the pending list, a stop request, the thread's end
    std::vector<std::string> pending;
    unsigned found = 0;
    std::string lastFound;
    bool ended = false;

    // The thread's own: found since the last announcement, and when the first of them was.
    std::size_t unannounced = 0;
    DWORD firstUnannounced = 0;
};

SearchWorker::SearchWorker(std::shared_ptr<FolderSource> source, DWORD stopWaitMs)
    : m_source(source ? std::move(source) : std::make_shared<Win32FolderSource>()),
      m_stopWait(stopWaitMs) {}

SearchWorker::~SearchWorker() {
    StopWorker();
}

bool SearchWorker::Start(HWND window, const std::string& folder, const SearchFilter& filter,
                         bool includeSubfolders) {
    StopWorker();
    m_run =
        std::make_shared<Run>(window, ++m_runNumber, folder, filter, includeSubfolders, m_source);
    try {
        m_thread = std::thread([run = m_run] { run->Search(); });
    } catch (const std::system_error&) {
        m_run->stop = true;
        return false;
    }
    return true;
}

void SearchWorker::StopWorker() {
    if (!m_run)
        return;
    std::unique_lock<std::mutex> hold(m_run->lock);
    m_run->stop = true;
    m_run->wake.notify_all();
    if (!m_thread.joinable())
        return;
    const bool ended = m_run->wake.wait_for(hold, std::chrono::milliseconds(m_stopWait),
                                            [this] { return m_run->ended; });
    hold.unlock();
    if (ended) {
        m_thread.join();
    } else {
        // Stuck in the file system: the thread keeps its share of the run and frees it when it
        // gets out and sees the stop. Ending it by force could leave a lock of the process held.
        m_thread.detach();
        ++m_abandonedRuns;
    }
}

std::vector<std::string> SearchWorker::TakePending() {
    std::vector<std::string> taken;
    if (!m_run)
        return taken;
    std::lock_guard<std::mutex> hold(m_run->lock);
    taken.swap(m_run->pending);
    m_run->wake.notify_all();
    return taken;
}

unsigned SearchWorker::FoundCount() const {
    if (!m_run)
        return 0;
    std::lock_guard<std::mutex> hold(m_run->lock);
    return m_run->found;
}

std::string SearchWorker::LastFound() const {
    if (!m_run)
        return {};
    std::lock_guard<std::mutex> hold(m_run->lock);
    return m_run->lastFound;
}

} // namespace quarvel::search
