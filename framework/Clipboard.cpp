// Putting text on the clipboard.
#include "Clipboard.h"

#include "GlobalBlock.h"

#include "engine/platform/AnsiText.h"

#include <cstring>
#include <string>

namespace {
// Hands a copy of the bytes to the clipboard in the format; false when it refused them.
bool SetClipboardBytes(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalBlockOf(bytes, size);
    if (!memory)
        return false;
    const bool handedOver = SetClipboardData(format, memory) != nullptr;
    // The clipboard owns the block once it took it; otherwise it is still ours.
    if (!handedOver)
        GlobalFree(memory);
    return handedOver;
}
} // namespace

bool CopyTextToClipboard(HWND owner, const char* text) {
    if (!text || !OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const std::wstring wide = quarvel::platform::WideFromNarrow(text);
    bool handedOver =
        SetClipboardBytes(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    if (handedOver && GetACP() != CP_UTF8)
        handedOver = SetClipboardBytes(CF_TEXT, text, std::strlen(text) + 1);
    CloseClipboard();
    return handedOver;
}
