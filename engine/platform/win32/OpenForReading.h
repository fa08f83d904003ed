// Opening a file for reading the way every reader of the engine does.
#pragma once

#include <windows.h>

namespace quarvel::platform {

// Opens path for reading, shared for reading, writing and deleting: reading a file never stops
// another program from writing, renaming or deleting it, and a file that another program is
// still writing can be read. INVALID_HANDLE_VALUE when it cannot be opened.
inline HANDLE OpenForReading(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace quarvel::platform
