// The bytes of an RT_GROUP_ICON resource: a 6-byte header and 14-byte entries, one per image.
#pragma once

#include "ByteView.h"

#include <cstdint>
#include <optional>

namespace quarvel {

constexpr std::uint64_t kIconHeaderSize = 6;
constexpr std::uint64_t kGroupEntrySize = 14;
constexpr std::uint64_t kIcoEntrySize = 16;

struct GroupIconEntry {
    std::uint8_t bWidth, bHeight, bColorCount, bReserved;
    std::uint16_t wPlanes, wBitCount;
    std::uint32_t dwBytesInRes;
    std::uint16_t nID;
};

class GroupIcon {
public:
    // The group when its header and all idCount entries lie inside `data`.
    static std::optional<GroupIcon> Parse(const ByteView& data);

    std::uint16_t Reserved() const { return data_.U16At(0); }
    std::uint16_t Type() const { return data_.U16At(2); }
    std::uint16_t Count() const { return data_.U16At(4); }
    // A group that stands for an icon: reserved 0, type 1, at least one image.
    bool IsIcon() const { return Reserved() == 0 && Type() == 1 && Count() != 0; }

    GroupIconEntry Entry(int index) const;
    // The first 12 bytes of entry `index` as stored (bWidth through dwBytesInRes).
    const std::uint8_t* EntryBytes(int index) const;
    const std::uint8_t* HeaderBytes() const { return data_.Data(); }

private:
    explicit GroupIcon(const ByteView& data) : data_(data) {}
    ByteView data_;
};

} // namespace quarvel
