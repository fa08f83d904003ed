// Reading .ico file directories.
#include "IcoDirectory.h"

#include "platform/FileSystem.h"

#include <algorithm>

namespace quarvel {

namespace {

std::size_t EntryOffset(int index) {
    return kIconHeaderSize + kIcoEntrySize * static_cast<std::size_t>(index);
}

} // namespace

std::optional<IcoDirectory> IcoDirectory::Parse(const ByteView& file) {
    std::uint16_t count = 0;
    if (!file.Readable(0, kIconHeaderSize) || !file.U16(4, count))
        return std::nullopt;
    const std::uint64_t room = (file.Size() - kIconHeaderSize) / kIcoEntrySize;
    return IcoDirectory(file, static_cast<int>(std::min<std::uint64_t>(count, room)));
}

IcoDirEntry IcoDirectory::Entry(int index) const {
    const std::size_t at = EntryOffset(index);
    IcoDirEntry e;
    static_cast<IconEntryFields&>(e) = ReadEntryFields(bytes_, at);
    e.dwImageOffset = bytes_.U32At(at + 12);
    return e;
}

std::optional<ByteView> IcoDirectory::Image(int index) const {
    if (index < 0 || index >= entriesInFile_)
        return std::nullopt;
    // Offset and size are added in 64 bits: an end past 2^32 is past the end of the file.
    const std::size_t at = EntryOffset(index);
    return bytes_.Slice(bytes_.U32At(at + 12), bytes_.U32At(at + 8));
}

std::uint64_t IcoDirectory::TotalImageBytes() const {
    std::uint64_t total = 0;
    for (int i = 0; i < entriesInFile_; ++i)
        total += bytes_.U32At(EntryOffset(i) + 8);
    return total;
}

bool IcoDirectory::IsSound(std::uint16_t type) const {
    if (!IsOfType(type) || !IsComplete())
        return false;
    for (int i = 0; i < entriesInFile_; ++i) {
        if (!Image(i))
            return false;
    }
    return true;
}

IcoFile::IcoFile(const char* path) {
    if (path != nullptr && *path != '\0' && platform::ReadWholeFile(path, bytes_))
        directory_ = IcoDirectory::Parse(ByteView(bytes_.data(), bytes_.size()));
}

} // namespace quarvel
