// The file of an icon or cursor in memory: what saving it in its own format writes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

class CIconItem;

// A group icon's .ico file, or a group cursor's .cur file, as the save lays it out, or an .ico,
// .cur or .ani file's bytes as they are; nothing when the icon cannot be read.
std::optional<std::vector<std::uint8_t>> IcoFileBytes(const CIconItem& item);

} // namespace quarvel
