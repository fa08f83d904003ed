// FileListFill: the worker's queue of jobs, its reading, and the hand-over under one lock.
#include "FileListFill.h"

#include "FileRowText.h"
#include "engine/DestroyElsewhere.h"

#include <utility>

namespace {
// Rows go out in batches this big, so that the first ones show while the folder is still read.
constexpr std::size_t kRowBatch = 64;
} // namespace

void FileListFill::Queue(Job job) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_quit)
        return;
    m_jobs.push_back(std::move(job));
    if (!m_thread.joinable())
        m_thread = std::thread([this] { Work(); });
    m_wake.notify_all();
}

void FileListFill::StartFolder(const std::string& folder, bool listIcons) {
    Stop();
    Queue(Job{m_generation.load(), folder, {}, listIcons});
}

void FileListFill::AddFiles(const std::vector<std::string>& paths, bool listIcons) {
    if (!paths.empty())
        Queue(Job{m_generation.load(), {}, paths, listIcons});
}

void FileListFill::Stop() {
    FillResults dropped;
    std::deque<Job> jobs; // a search's found files not read yet: 10^5 paths, freed elsewhere
    {
        std::lock_guard<std::mutex> hold(m_lock);
        ++m_generation;
        std::swap(jobs, m_jobs);
        std::swap(dropped, m_ready);
    }
    m_wake.notify_all();
    quarvel::DestroyElsewhere(std::move(jobs));
}

void FileListFill::Take(FillResults& into) {
    std::lock_guard<std::mutex> hold(m_lock);
    for (auto& row : m_ready.rows)
        into.rows.push_back(std::move(row));
    m_ready.rows.clear();
    into.folderListed = into.folderListed || m_ready.folderListed;
    m_ready.folderListed = false;
    // Icons wait here rather than there while the window is behind: the worker then waits too.
    while (!m_ready.icons.empty() && into.icons.size() < kMaxWaitingIcons) {
        into.icons.push_back(std::move(m_ready.icons.front()));
        m_ready.icons.pop_front();
    }
    into.idle = m_jobs.empty() && !m_busy && m_ready.icons.empty();
    m_wake.notify_all(); // room for icons
}

void FileListFill::End() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_quit = true;
        ++m_generation;
        m_jobs.clear();
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    m_ready = FillResults();
}

void FileListFill::Work() {
    m_threadId = GetCurrentThreadId();
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_busy = false;
            m_wake.wait(hold, [this] { return m_quit || !m_jobs.empty(); });
            if (m_quit)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_busy = true;
        }
        RunJob(job);
    }
}

void FileListFill::RunJob(const Job& job) {
    if (m_keyGeneration != job.generation) {
        m_keyGeneration = job.generation;
        m_nextKey = 0;
        m_rowIconRule = RowIconRule();
        m_identities = quarvel::UniqueIcons();
    }
    std::vector<FillResults::Row> rows;
    std::vector<std::pair<int, CString>> files; // key, full path
    const auto addRow = [&](const char* path) {
        FileEntry entry;
        if (!ReadFileEntry(path, entry))
            return;
        const int key = m_nextKey++;
        if (!entry.isFolder)
            files.emplace_back(key, JoinRowPath(entry.folder, entry.name));
        rows.push_back(FillResults::Row{key, std::move(entry)});
    };

    if (!job.folder.empty()) {
        CString pattern(job.folder.c_str());
        if (pattern.Right(1) != "\\")
            pattern += "\\";
        pattern += "*.*";
        CFileFind finder;
        BOOL more = finder.FindFile(pattern);
        while (more && IsCurrent(job.generation)) {
            more = finder.FindNextFile();
            if (finder.GetFileName() == "." || finder.GetFileName() == "..")
                continue;
            addRow(finder.GetFilePath());
            if (rows.size() == kRowBatch && !PublishRows(job.generation, rows, false))
                return;
        }
        if (!PublishRows(job.generation, rows, true))
            return;
    } else {
        for (const std::string& path : job.paths) {
            if (!IsCurrent(job.generation))
                return;
            addRow(path.c_str());
        }
        if (!PublishRows(job.generation, rows, false))
            return;
    }

    for (const auto& [key, path] : files) {
        if (!IsCurrent(job.generation))
            return;
        FileIcons icons = ReadFileIcons(path, job.listIcons, m_rowIconRule, &m_identities);
        if (!PublishIcons(job.generation, {key, std::move(icons)}))
            return;
    }
}

bool FileListFill::PublishRows(unsigned generation, std::vector<FillResults::Row>& rows,
                               bool folderListed) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (!IsCurrent(generation))
        return false;
    for (auto& row : rows)
        m_ready.rows.push_back(std::move(row));
    rows.clear();
    m_ready.folderListed = m_ready.folderListed || folderListed;
    return true;
}

bool FileListFill::PublishIcons(unsigned generation, FillResults::Icons icons) {
    std::unique_lock<std::mutex> hold(m_lock);
    m_wake.wait(hold,
                [&] { return !IsCurrent(generation) || m_ready.icons.size() < kMaxWaitingIcons; });
    if (!IsCurrent(generation))
        return false;
    m_ready.icons.push_back(std::move(icons));
    return true;
}
