// The system's message-box font, shared by the windows that show text in it.
#pragma once

#include <windows.h>

// Made from the system's non-client metrics on first use and kept for the life of the process;
// the default GUI font when the metrics cannot be read. Never null; never delete it.
HFONT AfxGetMessageFont();
