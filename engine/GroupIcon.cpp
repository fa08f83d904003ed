// Reading group icon directories.
#include "GroupIcon.h"

#include "PEFile.h"

namespace quarvel {

IconEntryFields ReadEntryFields(const ByteView& bytes, std::size_t at) {
    IconEntryFields e;
    e.bWidth = bytes.Data()[at];
    e.bHeight = bytes.Data()[at + 1];
    e.bColorCount = bytes.Data()[at + 2];
    e.bReserved = bytes.Data()[at + 3];
    e.wPlanes = bytes.U16At(at + 4);
    e.wBitCount = bytes.U16At(at + 6);
    e.dwBytesInRes = bytes.U32At(at + 8);
    return e;
}

std::optional<GroupIcon> GroupIcon::Parse(const ByteView& data) {
    std::uint16_t count = 0;
    if (!data.U16(4, count) || !data.Readable(0, kIconHeaderSize + kGroupEntrySize * count))
        return std::nullopt;
    return GroupIcon(data);
}

GroupIconEntry GroupIcon::Entry(int index) const {
    const std::size_t at = kIconHeaderSize + kGroupEntrySize * static_cast<std::size_t>(index);
    GroupIconEntry e;
    static_cast<IconEntryFields&>(e) = ReadEntryFields(bytes_, at);
    e.nID = bytes_.U16At(at + 12);
    return e;
}

std::optional<GroupIcon> FindGroupIcon(const CPEFile& file, ResKey name, std::uint16_t language) {
    const auto ref = file.FindResourceLang(kResTypeGroupIcon, name, language);
    const auto bytes = ref ? ref->Bytes() : std::nullopt;
    return bytes ? GroupIcon::Parse(*bytes) : std::nullopt;
}

} // namespace quarvel
