// Putting what a data object offers on the clipboard, format by format.
#pragma once

#include <windows.h>

#include <objidl.h>

// Renders every format the object offers as a global block or a bitmap (those needing an index,
// such as file contents, are left out), then empties the clipboard and puts them there in the
// object's order; the clipboard owns them. A format the object fails to render is left out; when
// it renders none the clipboard is left as it was. False when nothing was put there.
bool PutDataOnClipboard(HWND owner, IDataObject* data);
