// Converts UTF-16 text stored in files to the program's narrow text: the ANSI code page on
// Windows (WideCharToMultiByte with CP_ACP), UTF-8 elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarvel::platform {

// Converts `count` little-endian UTF-16 code units read from `units` (not necessarily aligned)
// into `out` and terminates it. Answers false, leaving "" in `out`, when the converted text and
// its terminator do not fit in `outSize` bytes or the conversion fails.
bool Utf16ToNarrow(const std::uint8_t* units, std::size_t count, char* out, std::size_t outSize);

} // namespace quarvel::platform
