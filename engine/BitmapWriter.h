// Saving icons as .bmp files (Windows only): the icon is drawn on the window colour into a
// bitmap of the display's format, which is written with its colour table.
#pragma once

#ifdef _WIN32

#include "ByteView.h"

#include <windows.h>

namespace quarvel {

// Draws the icon on a square of the system window colour as wide as the icon; the caller
// deletes the bitmap with DeleteObject. Null on failure.
HBITMAP IconToBitmap(HICON icon);

// A zero-filled BITMAPINFO for exporting the bitmap: the header and room for its colour
// table. The caller releases it with LocalFree. Null on failure.
BITMAPINFO* CreateBitmapInfo(HBITMAP bitmap);

// Writes the bitmap as a .bmp file; 1 or 0, never a partial file. A file at the path is replaced
// only when overwriting is allowed, and is otherwise left as it was (0).
int WriteBmpFile(const char* path, HBITMAP bitmap, bool overwrite = true);

// Writes one icon or cursor image (a cursor's without its hot spot) as a .bmp file: the icon it
// builds (BuildIconFromImage, through the image check) drawn as IconToBitmap draws. 1 or 0.
int WriteImageBmpFile(const char* path, const ByteView& image, bool overwrite = true);

} // namespace quarvel

#endif
