// Reading group icon directories.
#include "GroupIcon.h"

namespace quarvel {

std::optional<GroupIcon> GroupIcon::Parse(const ByteView& data) {
    std::uint16_t count = 0;
    if (!data.U16(4, count) || !data.Readable(0, kIconHeaderSize + kGroupEntrySize * count))
        return std::nullopt;
    return GroupIcon(data);
}

const std::uint8_t* GroupIcon::EntryBytes(int index) const {
    return data_.Data() + kIconHeaderSize + kGroupEntrySize * static_cast<std::uint64_t>(index);
}

GroupIconEntry GroupIcon::Entry(int index) const {
    const std::size_t at = kIconHeaderSize + kGroupEntrySize * static_cast<std::size_t>(index);
    GroupIconEntry e;
    e.bWidth = data_.Data()[at];
    e.bHeight = data_.Data()[at + 1];
    e.bColorCount = data_.Data()[at + 2];
    e.bReserved = data_.Data()[at + 3];
    e.wPlanes = data_.U16At(at + 4);
    e.wBitCount = data_.U16At(at + 6);
    e.dwBytesInRes = data_.U32At(at + 8);
    e.nID = data_.U16At(at + 12);
    return e;
}

} // namespace quarvel
