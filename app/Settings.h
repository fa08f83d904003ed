// The program's one setting of its own: the folder into which icons are saved, kept under
// HKEY_LOCAL_MACHINE "SOFTWARE\Vendrel\Quarvel", value "savefolder".
#pragma once

#include "FwString.h"

// The stored save folder; "c:\temp\" when nothing (or an empty text) is stored.
CString LoadSaveFolder();
// Stores folder when it names an existing file or folder; otherwise, or when the key cannot be
// written, nothing changes.
void StoreSaveFolder(const char* folder);
