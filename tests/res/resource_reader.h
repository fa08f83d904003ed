// Test helpers that read Quarvel's compiled resources out of the running test program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace restest {

// The raw bytes of a resource of this program; empty when it does not exist.
std::vector<unsigned char> ResourceBytes(LPCSTR type, int id);

// A string-table text; "<missing>" when the id has no string.
std::string LoadText(int id);

struct MenuEntry {
    UINT id;          // 0 for separators and popups
    std::string text; // empty for separators
    bool separator;
    bool popup;
};

std::vector<MenuEntry> MenuEntries(HMENU menu);

} // namespace restest
