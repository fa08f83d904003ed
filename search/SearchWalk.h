// The search's walk of a folder tree and its test of each file, free of windows and threads: the
// file system comes in through a FolderSource, found files go out through a FoundSink.
#pragma once

#include "SearchRules.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace quarvel::search {

// One entry of a folder listing.
struct FolderEntry {
    const char* name;
    bool folder;
    bool temporary;     // never found, never entered
    bool link;          // a folder link (junction, symbolic link): it may lead back up the path
    std::uint64_t size; // files: the size the listing gives
};

// What the walk needs of the file system.
class FolderSource {
public:
    virtual ~FolderSource() = default;
    // Calls visit with each entry of the folder in the order the file system lists them, while
    // visit answers true. False when the folder cannot be listed.
    virtual bool ListFolder(const std::string& folder,
                            const std::function<bool(const FolderEntry&)>& visit) = 0;
    // The content probe of "all files" mode: 1 for a file that looks like an image file, a
    // negative code otherwise (IsExecutableImage).
    virtual int ProbeImage(const std::string& path) = 0;
    // An identity of the folder that is the same under every path that reaches it; false when
    // it cannot be read. Asked only when a folder link comes up.
    virtual bool FolderIdentity(const std::string& folder, std::string& identity) = 0;
};

// Receives each file that counts, in walk order.
class FoundSink {
public:
    virtual ~FoundSink() = default;
    virtual void Found(const std::string& path) = 0;
    // Called wherever the walk reads its stop flag (before each folder and each entry), so that
    // the sink can pass on files that have waited while the walk found nothing.
    virtual void Checkpoint() {}
};

class SearchWalk {
public:
    SearchWalk(FolderSource& source, const SearchFilter& filter, bool includeSubfolders,
               const std::atomic<bool>& stop, FoundSink& sink)
        : m_source(source), m_filter(filter), m_includeSubfolders(includeSubfolders), m_stop(stop),
          m_sink(sink) {}

    // Walks the folder, depth first in listing order, and below it when subfolders are
    // included; answers the number of files found. The stop flag is read, and the sink's
    // checkpoint called, before each folder and each entry. A folder link that leads back to a
    // folder open on the current path is not followed.
    int SearchFolder(const std::string& folder);
    // Decides whether one file counts and hands it to the sink when it does.
    bool MatchFile(const std::string& path);

private:
    // A folder on the current path, with its identity once a link has needed it.
    struct OpenFolder {
        std::string path;
        std::string identity;
        bool identityRead = false;
    };
    int Walk(const std::string& folder, std::vector<OpenFolder>& open);
    // The link leads to a folder on the current path.
    bool LeadsBackUp(const std::string& link, std::vector<OpenFolder>& open);

    FolderSource& m_source;
    const SearchFilter m_filter;
    const bool m_includeSubfolders;
    const std::atomic<bool>& m_stop;
    FoundSink& m_sink;
};

} // namespace quarvel::search
