// Putting text on the clipboard.
#include "Clipboard.h"

#include <cstring>

bool CopyTextToClipboard(HWND owner, const char* text) {
    if (!text || !OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const std::size_t size = std::strlen(text) + 1;
    bool handedOver = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size)) {
        if (void* bytes = GlobalLock(memory)) {
            std::memcpy(bytes, text, size);
            GlobalUnlock(memory);
            handedOver = SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        // The clipboard owns the block once it took it; otherwise it is still ours.
        if (!handedOver)
            GlobalFree(memory);
    }
    CloseClipboard();
    return handedOver;
}
