// The one reader of .ico directories, which every reader of .ico data goes through.
// The directory is a group icon's 6-byte header, then 16-byte entries that end in each image's
// offset in the file.
#pragma once

#include "ByteView.h"
#include "GroupIcon.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

struct IcoDirEntry : IconEntryFields {
    std::uint32_t dwImageOffset = 0;
};

class IcoDirectory : public IconHeader {
public:
    // The directory of `file` when its 6-byte header is there; the entries are not checked yet.
    static std::optional<IcoDirectory> Parse(const ByteView& file);

    // The entries that lie whole inside the file, from the first: Count() unless the file ends
    // inside the directory.
    int EntriesInFile() const { return entriesInFile_; }
    bool IsComplete() const { return entriesInFile_ == Count(); }
    // Entry `index` (below EntriesInFile()).
    IcoDirEntry Entry(int index) const;
    // The bytes of entry `index`'s image when all of them lie inside the file.
    std::optional<ByteView> Image(int index) const;
    // The image sizes of the entries in the file, added up.
    std::uint64_t TotalImageBytes() const;

    // An icon whose directory is complete and whose images all lie inside the file.
    bool IsSoundIcon() const { return IsSound(kIconType); }
    // The same for a cursor (.cur file).
    bool IsSoundCursor() const { return IsSound(kCursorType); }
    bool IsSound(std::uint16_t type) const;

private:
    IcoDirectory(const ByteView& file, int entriesInFile)
        : IconHeader(file), entriesInFile_(entriesInFile) {}
    int entriesInFile_;
};

// An .ico file read into memory whole, with its directory. It cannot be copied or moved: the
// directory points into the bytes.
class IcoFile {
public:
    explicit IcoFile(const char* path);
    IcoFile(const IcoFile&) = delete;
    IcoFile& operator=(const IcoFile&) = delete;

    // Null when the path is empty, the file cannot be read or it is shorter than a header.
    const IcoDirectory* Directory() const { return directory_ ? &*directory_ : nullptr; }

private:
    std::vector<std::uint8_t> bytes_;
    std::optional<IcoDirectory> directory_;
};

} // namespace quarvel
