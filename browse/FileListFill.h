// FileListFill: the worker thread that reads the file list's rows and icons off the window's
// thread. A fill is a folder's entries or files handed over in batches; the worker publishes
// each batch's rows first, then each file's icons, and the window takes what is ready when it
// has time. Stopping is exact: a fill forgotten by Stop or by a new folder adds nothing more.
#pragma once

#include "ListedFile.h"
#include "engine/IconIdentity.h"

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the worker has read and the window has not shown yet. Rows carry keys 0, 1, 2, ... in
// the order of the fill; a file's icons come after its row, in the same order.
struct FillResults {
    struct Row {
        int key;
        FileEntry entry;
    };
    struct Icons {
        int key;
        FileIcons icons;
    };
    std::deque<Row> rows;
    std::deque<Icons> icons;
    bool folderListed = false; // every row of the folder has been taken
    bool idle = false;         // when taken, nothing more was on its way
};

class FileListFill {
public:
    // Each file's icons hold a row icon: the worker waits while this many wait to be taken, and
    // the window takes no more than this many at a time.
    static constexpr std::size_t kMaxWaitingIcons = 256;

    FileListFill() = default;
    ~FileListFill() { End(); }
    FileListFill(const FileListFill&) = delete;
    FileListFill& operator=(const FileListFill&) = delete;

    // Forgets the current fill and starts one with the entries of folder ("." and ".." left out).
    // listIcons false lists no icons (every count 0).
    void StartFolder(const std::string& folder, bool listIcons);
    // Appends files to the current fill (a new one when none was started).
    void AddFiles(const std::vector<std::string>& paths, bool listIcons);
    // Forgets the current fill: once this returns, nothing of it is published or taken.
    void Stop();
    // Moves what is ready to the end of `into` (icons while it holds fewer than
    // kMaxWaitingIcons) and tells whether the worker has finished.
    void Take(FillResults& into);
    // Stops, and ends the thread (it finishes the file it is on first).
    void End();
    // The worker thread's id; 0 before the first fill.
    DWORD ThreadId() const { return m_threadId.load(); }

private:
    struct Job {
        unsigned generation;
        std::string folder; // the folder to list, or empty for the paths
        std::vector<std::string> paths;
        bool listIcons;
    };
    void Queue(Job job);
    void Work();
    void RunJob(const Job& job);
    bool IsCurrent(unsigned generation) const { return m_generation.load() == generation; }
    // Publishes rows (clearing them); false when the fill was forgotten.
    bool PublishRows(unsigned generation, std::vector<FillResults::Row>& rows, bool folderListed);
    // Publishes one file's icons once there is room; false when the fill was forgotten.
    bool PublishIcons(unsigned generation, FillResults::Icons icons);

    std::mutex m_lock;              // guards what follows up to m_thread
    std::condition_variable m_wake; // a job, room for icons, a stop or the end
    std::deque<Job> m_jobs;
    FillResults m_ready;
    bool m_busy = false;
    bool m_quit = false;
    std::thread m_thread;

    std::atomic<unsigned> m_generation{0};
    std::atomic<DWORD> m_threadId{0};
    // Worker side only, per generation: the key of the next row, and what it knows of types.
    unsigned m_keyGeneration = 0;
    int m_nextKey = 0;
    RowIconRule m_rowIconRule;
    quarvel::UniqueIcons m_identities; // the icons' identities, numbered in the fill's order
};
