// Undoing the row filters of PNG image data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarvel {

// Undoes filter `filter` (0 to 4) of one row of `size` bytes in place, given the row above
// (already unfiltered; zeros for the first row of a pass) and the bytes a pixel takes (at least
// 1). False for an unknown filter.
bool UnfilterRow(int filter, std::uint8_t* row, const std::uint8_t* above, std::size_t size,
                 std::size_t bpp);

} // namespace quarvel
