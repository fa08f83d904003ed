// Opening the program's help file in the HTML Help viewer, loaded at run time from the system
// folder.
#pragma once

#include "FwString.h"

// The help file beside a program: the program path cut at its last "\" (kept whole without
// one), then "\Quarvel.chm".
CString HelpFileBeside(const char* programPath);
// Shows the help file's default topic with no owner window. The viewer reports a missing file
// itself; without the viewer nothing happens. False when the viewer could not be reached.
bool ShowHelpContents(const char* helpFile);
