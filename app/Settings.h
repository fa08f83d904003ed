// The program's settings, values of "SOFTWARE\Vendrel\Quarvel" written under HKEY_CURRENT_USER:
// the folder into which icons are saved ("savefolder"), the icon list's size ("iconsize"), its
// order ("iconorder") and whether it hides duplicate icons ("hideduplicates").
#pragma once

#include "FwString.h"
#include "engine/IconOrder.h"

// The user's stored save folder, else the machine's; "" when neither holds one.
CString LoadRememberedSaveFolder();
// The remembered save folder; "c:\temp\" when there is none.
CString LoadSaveFolder();
// Stores folder when it names an existing file or folder; otherwise, or when the key cannot be
// written, nothing changes.
void StoreSaveFolder(const char* folder);

// The user's icon size (IconSize.h), a number of pixels at 96 DPI; the default (32) when none
// is stored or the value stored is not one of the sizes.
int LoadIconSize();
// Stores one of the sizes; any other value changes nothing.
void StoreIconSize(int size);

// The user's order of the icon list; File when none (or no order) is stored.
quarvel::IconOrder LoadIconOrder();
void StoreIconOrder(quarvel::IconOrder order);
// Whether the user hides duplicate icons; false when nothing is stored.
bool LoadHideDuplicates();
void StoreHideDuplicates(bool hide);
