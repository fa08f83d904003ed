// Text on the clipboard.
#pragma once

#include <windows.h>

// Puts text on the clipboard as CF_TEXT, the clipboard opened for owner; false when the
// clipboard cannot be opened or refuses it.
bool CopyTextToClipboard(HWND owner, const char* text);
