// Copying bytes into a movable global block.
#include "GlobalBlock.h"

#include <cstring>

HGLOBAL GlobalBlockOf(const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!memory)
        return nullptr;
    void* block = GlobalLock(memory);
    if (!block) {
        GlobalFree(memory);
        return nullptr;
    }
    if (size > 0)
        std::memcpy(block, bytes, size);
    GlobalUnlock(memory);
    return memory;
}
