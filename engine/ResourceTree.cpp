// The resource directory iterator and resource references.
#include "ResourceTree.h"

#include "PEFile.h"
#include "platform/AnsiText.h"

#include <algorithm>

namespace quarvel {

namespace {

constexpr std::uint64_t kDirectorySize = 16;
constexpr std::uint64_t kEntrySize = 8;
constexpr std::uint32_t kHighBit = 0x80000000u;

} // namespace

CResDirIterator::CResDirIterator(const ByteView& view, ResPos directory, ResPos root)
    : view_(view), root_(root), directory_(directory) {
    std::uint16_t named = 0, ids = 0;
    if (directory == kNoPosition || root == kNoPosition ||
        !view.Readable(directory, kDirectorySize))
        return;
    view.U16(directory + 12, named);
    view.U16(directory + 14, ids);
    // The entries stand back to back after the header: those that would lie past the end of
    // the file do not exist, so a count of 65535 in a short file walks only what is there.
    const std::uint64_t room = (view.Size() - directory - kDirectorySize) / kEntrySize;
    count_ = static_cast<int>(std::min<std::uint64_t>(std::uint64_t{named} + ids, room));
}

bool CResDirIterator::Next() {
    if (index_ < count_)
        ++index_;
    return index_ < count_;
}

bool CResDirIterator::Entry(std::uint32_t& name, std::uint32_t& offsetToData) const {
    if (index_ < 0 || index_ >= count_)
        return false;
    const std::uint64_t at =
        directory_ + kDirectorySize + kEntrySize * static_cast<std::uint64_t>(index_);
    return view_.U32(at, name) && view_.U32(at + 4, offsetToData);
}

bool CResDirIterator::IsSubdirectory() const {
    std::uint32_t name, offset;
    return Entry(name, offset) && (offset & kHighBit) != 0;
}

bool CResDirIterator::IsNamed() const {
    std::uint32_t name, offset;
    return Entry(name, offset) && (name & kHighBit) != 0;
}

bool CResDirIterator::GetNameA(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0)
        return false;
    buffer[0] = '\0';
    std::uint32_t name, offset;
    if (!Entry(name, offset) || (name & kHighBit) == 0)
        return false;
    const std::uint64_t at = root_ + (name & ~kHighBit);
    std::uint16_t length = 0;
    if (!view_.U16(at, length) || length > kMaxResNameLength ||
        !view_.Readable(at + 2, std::uint64_t{length} * 2))
        return false;
    return platform::Utf16ToNarrow(view_.Data() + at + 2, length, buffer, size);
}

std::uint16_t CResDirIterator::GetId() const {
    std::uint32_t name, offset;
    if (!Entry(name, offset) || (name & kHighBit) != 0)
        return 0;
    return static_cast<std::uint16_t>(name);
}

ResPos CResDirIterator::Subdirectory() const {
    std::uint32_t name, offset;
    if (!Entry(name, offset) || (offset & kHighBit) == 0)
        return kNoPosition;
    return root_ + (offset & ~kHighBit);
}

ResPos CResDirIterator::DataEntry() const {
    std::uint32_t name, offset;
    if (!Entry(name, offset) || (offset & kHighBit) != 0)
        return kNoPosition;
    return root_ + offset;
}

std::optional<std::uint64_t> CResourceRef::DataOffset(std::uint32_t& size) const {
    std::uint32_t rva = 0;
    const ByteView& view = file_.View();
    if (!view.U32(dataEntry_, rva) || !view.U32(dataEntry_ + 4, size))
        return std::nullopt;
    return file_.RvaToOffset(rva);
}

std::optional<ByteView> CResourceRef::Bytes() const {
    std::uint32_t size = 0;
    const auto offset = DataOffset(size);
    return offset ? file_.View().Slice(*offset, size) : std::nullopt;
}

std::optional<ByteView> CResourceRef::BytesOfLength(std::uint32_t length) const {
    std::uint32_t size = 0;
    const auto offset = DataOffset(size);
    return offset ? file_.View().Slice(*offset, length) : std::nullopt;
}

} // namespace quarvel
