// The three-level resource tree of an image file: a directory iterator and a reference to one
// resource's data entry. Positions are offsets into the file's view, checked at every read.
#pragma once

#include "ByteView.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quarvel {

class CPEFile;

// Offset of a directory or data entry in the view; kNoPosition when there is none.
using ResPos = std::uint64_t;
constexpr ResPos kNoPosition = ~static_cast<ResPos>(0);

// The longest entry name read, in characters (UTF-16 code units); a longer one reads as "".
constexpr std::size_t kMaxResNameLength = 255;
// Size of the buffer that receives an entry's name: that many characters of up to three bytes
// each (UTF-8) and a terminator.
constexpr std::size_t kResNameBufferSize = 3 * kMaxResNameLength + 1;

class CResDirIterator {
public:
    // An empty iterator when either position is missing or the 16-byte directory is unreadable.
    CResDirIterator(const ByteView& view, ResPos directory, ResPos root);

    // Moves to the next entry (the first call to entry 0), in stored order.
    bool Next();

    bool IsSubdirectory() const;
    bool IsNamed() const;
    // The name of a named entry in the program's narrow text, NUL-terminated; "" and false
    // when the entry has no name, the name is longer than kMaxResNameLength or the converted
    // name does not fit.
    bool GetNameA(char* buffer, std::size_t size) const;
    // The id of an id entry; 0 for a named entry.
    std::uint16_t GetId() const;
    ResPos Subdirectory() const;
    ResPos DataEntry() const;

private:
    bool Entry(std::uint32_t& name, std::uint32_t& offsetToData) const;

    ByteView view_;
    ResPos root_;
    ResPos directory_;
    int count_ = 0;
    int index_ = -1;
};

// One resource found in the tree; valid only while its CPEFile is open.
class CResourceRef {
public:
    CResourceRef(const CPEFile& file, ResPos dataEntry, std::uint16_t language)
        : file_(file), dataEntry_(dataEntry), language_(language) {}

    // The resource's bytes when all of them lie inside the view.
    std::optional<ByteView> Bytes() const;
    // `length` bytes from the start of the resource's data (whatever its stored size), when
    // all of them lie inside the view.
    std::optional<ByteView> BytesOfLength(std::uint32_t length) const;
    std::uint16_t Language() const { return language_; }

private:
    std::optional<std::uint64_t> DataOffset(std::uint32_t& size) const;

    const CPEFile& file_;
    ResPos dataEntry_;
    std::uint16_t language_;
};

} // namespace quarvel
