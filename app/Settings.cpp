// Reading and writing the save folder in the registry.
#include "Settings.h"

#include "engine/platform/AnsiText.h"

#include <windows.h>

namespace {
const char kKey[] = "SOFTWARE\\Vendrel\\Quarvel";
const char kValue[] = "savefolder";
const char kDefaultFolder[] = "c:\\temp\\";

// A path of MAX_PATH characters in UTF-8 takes up to three bytes a character.
constexpr DWORD kMaxFolderBytes = 3 * MAX_PATH;

// The folder stored under root; empty when the key or the value is missing, empty, not text,
// or longer than a path.
CString ReadFolder(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return CString();
    char folder[kMaxFolderBytes + 1] = "";
    DWORD size = kMaxFolderBytes, type = 0;
    const LONG status =
        RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return CString();
    folder[size < sizeof folder ? size : sizeof folder - 1] = '\0';
    if (quarvel::platform::Utf16Length(folder) >= MAX_PATH)
        return CString();
    return CString(folder);
}
} // namespace

CString LoadRememberedSaveFolder() {
    // The user's own folder first; a machine-wide one, where an installer or an older version
    // left one, next.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const CString folder = ReadFolder(root);
        if (!folder.IsEmpty())
            return folder;
    }
    return CString();
}

CString LoadSaveFolder() {
    const CString folder = LoadRememberedSaveFolder();
    return folder.IsEmpty() ? CString(kDefaultFolder) : folder;
}

void StoreSaveFolder(const char* folder) {
    if (!folder || !*folder || GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES)
        return;
    // Per user: an ordinary user may not write the machine's part of the registry.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   static_cast<DWORD>(lstrlenA(folder) + 1));
    RegCloseKey(key);
}
