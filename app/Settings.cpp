// Reading and writing the save folder in the registry.
#include "Settings.h"

#include <windows.h>

namespace {
const char kKey[] = "SOFTWARE\\Vendrel\\Quarvel";
const char kValue[] = "savefolder";
const char kDefaultFolder[] = "c:\\temp\\";
} // namespace

CString LoadSaveFolder() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return kDefaultFolder;
    char folder[MAX_PATH] = "";
    DWORD size = sizeof folder - 1, type = 0;
    LONG status =
        RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
    // A value that is missing, not text, or longer than the buffer reads as the default.
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return kDefaultFolder;
    folder[size < sizeof folder ? size : sizeof folder - 1] = '\0';
    return folder[0] ? CString(folder) : CString(kDefaultFolder);
}

void StoreSaveFolder(const char* folder) {
    if (!folder || !*folder || GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES)
        return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   static_cast<DWORD>(lstrlenA(folder) + 1));
    RegCloseKey(key);
}
