// The .ico file of an icon in memory: what saving the icon as .ico writes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

class CIconItem;

// A group icon's .ico file as the save lays it out, or an .ico file's bytes as they are; nothing
// when the icon cannot be read.
std::optional<std::vector<std::uint8_t>> IcoFileBytes(const CIconItem& item);

} // namespace quarvel
