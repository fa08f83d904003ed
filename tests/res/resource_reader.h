// Test helpers that read Quarvel's compiled resources out of the running test program.
#pragma once

#include <windows.h>

#include <vector>

namespace restest {

// The raw bytes of a resource of this program; empty when it does not exist.
std::vector<unsigned char> ResourceBytes(LPCSTR type, int id);

} // namespace restest
