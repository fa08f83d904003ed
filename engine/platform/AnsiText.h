// The program's narrow text: the ANSI code page on Windows (UTF-8 where the manifest's
// activeCodePage is honoured, Windows 10 1903 and later), UTF-8 elsewhere. Conversions from the
// UTF-16 of files and of the system's wide calls, and the measure of the system's path limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quarvel::platform {

// Converts `count` little-endian UTF-16 code units read from `units` (not necessarily aligned)
// into `out` and terminates it. Answers false, leaving "" in `out`, when the converted text and
// its terminator do not fit in `outSize` bytes or the conversion fails.
bool Utf16ToNarrow(const std::uint8_t* units, std::size_t count, char* out, std::size_t outSize);

// The length of narrow text in UTF-16 code units: what the system's path limits (MAX_PATH)
// count, where a UTF-8 or double-byte name takes more bytes than characters.
std::size_t Utf16Length(const char* text);

#ifdef _WIN32
// Wide text from the system in the program's narrow text; a character the code page lacks
// becomes '?'.
std::string NarrowFromWide(const wchar_t* text);
// Narrow text as the system's wide calls take it.
std::wstring WideFromNarrow(const char* text);
#endif

} // namespace quarvel::platform
