// The bytes of an RT_GROUP_ICON resource: a 6-byte header and 14-byte entries, one per image;
// and the entry fields that an .ico file's directory shares with it.
#pragma once

#include "ByteView.h"
#include "ResKey.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quarvel {

class CPEFile;

constexpr std::uint64_t kIconHeaderSize = 6;
constexpr std::uint64_t kGroupEntrySize = 14;
constexpr std::uint64_t kIcoEntrySize = 16;
// The type field of the header: icons and cursors share the layout.
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

// The first 12 bytes of a group or .ico directory entry: how one image is described.
struct IconEntryFields {
    std::uint8_t bWidth = 0, bHeight = 0, bColorCount = 0, bReserved = 0;
    std::uint16_t wPlanes = 0, wBitCount = 0;
    std::uint32_t dwBytesInRes = 0;
};

// Reads those 12 bytes at an offset already proven readable.
IconEntryFields ReadEntryFields(const ByteView& bytes, std::size_t at);

struct GroupIconEntry : IconEntryFields {
    std::uint16_t nID = 0; // the RT_ICON resource that holds the image
};

// The 6-byte header that group icons and .ico files share, over bytes that hold at least it.
class IconHeader {
public:
    std::uint16_t Reserved() const { return bytes_.U16At(0); }
    std::uint16_t Type() const { return bytes_.U16At(2); }
    std::uint16_t Count() const { return bytes_.U16At(4); }
    // The header of an icon: reserved 0, type 1, at least one image.
    bool IsIcon() const { return IsOfType(kIconType); }
    // The header of a cursor: reserved 0, type 2, at least one image.
    bool IsCursor() const { return IsOfType(kCursorType); }
    bool IsOfType(std::uint16_t type) const {
        return Reserved() == 0 && Type() == type && Count() != 0;
    }
    // The whole directory, header first (what the system's own lookups in a directory take).
    const ByteView& Bytes() const { return bytes_; }

protected:
    explicit IconHeader(const ByteView& bytes) : bytes_(bytes) {}
    ByteView bytes_;
};

class GroupIcon : public IconHeader {
public:
    // The group when its header and all idCount entries lie inside `data`.
    static std::optional<GroupIcon> Parse(const ByteView& data);

    GroupIconEntry Entry(int index) const;

private:
    explicit GroupIcon(const ByteView& data) : IconHeader(data) {}
};

// The group icon `name` stored in exactly that language, when it parses.
std::optional<GroupIcon> FindGroupIcon(const CPEFile& file, ResKey name, std::uint16_t language);

} // namespace quarvel
