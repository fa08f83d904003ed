// The program's one setting of its own: the folder into which icons are saved, value
// "savefolder" of "SOFTWARE\Vendrel\Quarvel", written under HKEY_CURRENT_USER.
#pragma once

#include "FwString.h"

// The user's stored save folder, else the machine's; "" when neither holds one.
CString LoadRememberedSaveFolder();
// The remembered save folder; "c:\temp\" when there is none.
CString LoadSaveFolder();
// Stores folder when it names an existing file or folder; otherwise, or when the key cannot be
// written, nothing changes.
void StoreSaveFolder(const char* folder);
