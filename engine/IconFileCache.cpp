// The open files of a batch of pictures, used least recently first out.
#include "IconFileCache.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quarvel {

IndexedImageFile* IconFileCache::Open(const std::string& path) {
    const auto known = std::find_if(files_.begin(), files_.end(),
                                    [&](const Entry& entry) { return entry.path == path; });
    if (known != files_.end()) {
        std::rotate(known, std::next(known), files_.end());
        return files_.back().file.get();
    }
    auto file = std::make_unique<IndexedImageFile>(path.c_str());
    if (!file->File().IsOpen())
        return nullptr;
    if (files_.size() >= kMaxOpenFiles)
        files_.erase(files_.begin());
    files_.push_back({path, std::move(file)});
    return files_.back().file.get();
}

} // namespace quarvel
