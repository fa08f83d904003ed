// The image files that one batch of pictures reads: each mapped and its icon images indexed once,
// however many of its icons the batch draws, and all closed together when the batch ends.
#pragma once

#include "IconImageFinder.h"
#include "PEFile.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quarvel {

// An open image file and the index of its icon images (each looked up in any language).
class IndexedImageFile {
public:
    explicit IndexedImageFile(const char* path) : file_(path), images_(file_, 0) {}
    IndexedImageFile(const IndexedImageFile&) = delete;
    IndexedImageFile& operator=(const IndexedImageFile&) = delete;

    const CPEFile& File() const { return file_; }
    IconImageFinder& Images() { return images_; }

private:
    CPEFile file_;
    IconImageFinder images_; // after the file it reads
};

class IconFileCache {
public:
    // Items of one file stand together in the lists, so each file is opened once per batch even
    // when the files come round again (a list of 16 files listed over and over).
    static constexpr std::size_t kMaxOpenFiles = 16;

    // The image file at `path`, opened and indexed unless it is open already; the file used least
    // recently is closed to make room. Null when the file does not open as an image file (which
    // is not remembered: the next call tries again).
    IndexedImageFile* Open(const std::string& path);
    // Closes every file, so that the next batch reads each file as it is then.
    void CloseAll() { files_.clear(); }
    std::size_t OpenCount() const { return files_.size(); }

private:
    struct Entry {
        std::string path;
        std::unique_ptr<IndexedImageFile> file;
    };
    std::vector<Entry> files_; // the one used last at the back
};

} // namespace quarvel
