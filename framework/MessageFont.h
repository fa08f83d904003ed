// The system's message-box font, shared by the windows that show text in it.
#pragma once

#include <windows.h>

// Made from the system's non-client metrics on first use and kept for the life of the process;
// the default GUI font when the metrics cannot be read. Never null; never delete it.
HFONT AfxGetMessageFont();
// The same font for a window at dpi: from the metrics at that DPI where the system gives them
// (Windows 10 1607 and later), else the system DPI's font scaled. One font per DPI, kept like
// the one above.
HFONT AfxGetMessageFont(int dpi);
