// Opening a file for reading the way every reader of the program does (the engine, the
// search's probe, the document).
#pragma once

#include "../../win32/KernelOwners.h"

#include <windows.h>

namespace quarvel::platform {

// Reading a file never stops another program from writing, renaming or deleting it, and a file
// that another program is still writing can be read.
constexpr DWORD kShareWithEveryone = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens path for reading, shared with everyone; an empty owner when it cannot be opened.
inline ScopedFile OpenForReading(const char* path) {
    return ScopedFile(CreateFileA(path, GENERIC_READ, kShareWithEveryone, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace quarvel::platform
