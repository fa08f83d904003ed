// Text on the clipboard.
#pragma once

#include <windows.h>

// Puts text (in the process's code page) on the clipboard, the clipboard opened for owner: as
// CF_UNICODETEXT, which every program reads whatever its code page, and under a legacy code page
// as CF_TEXT too, byte for byte. Under UTF-8 the system makes CF_TEXT for the programs that ask
// for it in their own code page. False when the clipboard cannot be opened or refuses the text.
bool CopyTextToClipboard(HWND owner, const char* text);
