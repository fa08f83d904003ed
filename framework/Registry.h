// The registry: keys owned while open, and the one reader of text values, which reads a value
// whole or refuses it (never a text cut short or without its end).
#pragma once

#include "Handles.h"

#include <windows.h>

#include <cstddef>
#include <string>

struct RegKeyCloser {
    static void Close(HKEY key) { RegCloseKey(key); }
};
// A key this program opened or created, closed when it goes (never a predefined root).
using ScopedRegKey = ScopedHandle<HKEY, RegKeyCloser>;

// Opens root\subkey with the access asked for; an empty owner when it cannot be opened, and
// then *status, when asked for, says why.
ScopedRegKey OpenRegKey(HKEY root, const char* subkey, REGSAM access, LONG* status = nullptr);
// Opens root\subkey, creating it when missing; an empty owner when that fails.
ScopedRegKey CreateRegKey(HKEY root, const char* subkey, REGSAM access);

// The kinds of value a text read takes: REG_SZ always, REG_EXPAND_SZ (as stored, its
// %VARIABLES% left for the caller) when asked.
enum class RegText { PlainOnly, OrExpandable };

// Reads the text value `name` of an open key (null or "": the key's default value), of at most
// maxLength bytes. A value stored without its terminating zero reads whole; the text ends at
// its first zero. Answers ERROR_SUCCESS with text set, else the error with text left alone:
// ERROR_FILE_NOT_FOUND (no such value), ERROR_INVALID_DATA (not text of a kind taken),
// ERROR_MORE_DATA (longer than maxLength).
LONG ReadRegistryText(HKEY key, const char* name, std::size_t maxLength, RegText kinds,
                      std::string& text);
// The same of a value of root\subkey; the key's own error when it cannot be opened.
LONG ReadRegistryText(HKEY root, const char* subkey, const char* name, std::size_t maxLength,
                      RegText kinds, std::string& text);
// The default value of root\subkey, REG_SZ or REG_EXPAND_SZ, as the shell's class keys hold
// it: a key without one reads as "".
LONG ReadRegistryDefault(HKEY root, const char* subkey, std::size_t maxLength, std::string& text);
