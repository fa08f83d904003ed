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

} // namespace restest
