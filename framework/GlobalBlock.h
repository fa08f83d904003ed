// Movable global memory blocks, the currency of the clipboard and of OLE data transfer.
#pragma once

#include <windows.h>

#include <cstddef>

// A movable block holding a copy of the bytes (the caller owns it); null when out of memory.
HGLOBAL GlobalBlockOf(const void* bytes, std::size_t size);
