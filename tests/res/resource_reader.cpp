// Reads resources of the test program itself, which links Quarvel's compiled resource script.
#include "resource_reader.h"

namespace restest {

std::vector<unsigned char> ResourceBytes(LPCSTR type, int id) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(id), type);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(self, found);
    const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
    if (!data)
        return {};
    return std::vector<unsigned char>(data, data + SizeofResource(self, found));
}

std::string LoadText(int id) {
    char buffer[1024];
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, length) : std::string("<missing>");
}

std::vector<MenuEntry> MenuEntries(HMENU menu) {
    std::vector<MenuEntry> entries;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info))
            continue;
        bool separator = (info.fType & MFT_SEPARATOR) != 0;
        bool popup = info.hSubMenu != nullptr;
        entries.push_back({popup || separator ? 0u : info.wID, text, separator, popup});
    }
    return entries;
}

} // namespace restest
