// Reading and writing the save folder in the registry.
#include "Settings.h"

#include "IconSize.h"
#include "Registry.h"
#include "engine/platform/AnsiText.h"

#include <windows.h>

namespace {
const char kKey[] = "SOFTWARE\\Vendrel\\Quarvel";
const char kValue[] = "savefolder";
const char kIconSizeValue[] = "iconsize";
const char kDefaultFolder[] = "c:\\temp\\";

// A path of MAX_PATH characters in UTF-8 takes up to three bytes a character.
constexpr std::size_t kMaxFolderBytes = 3 * MAX_PATH;

// The folder stored under root; empty when the key or the value is missing, empty, not text,
// or longer than a path.
CString ReadFolder(HKEY root) {
    std::string folder;
    if (ReadRegistryText(root, kKey, kValue, kMaxFolderBytes, RegText::PlainOnly, folder) !=
            ERROR_SUCCESS ||
        quarvel::platform::Utf16Length(folder.c_str()) >= MAX_PATH)
        return CString();
    return CString(folder.c_str());
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
    const ScopedRegKey key = CreateRegKey(HKEY_CURRENT_USER, kKey, KEY_SET_VALUE);
    if (key)
        RegSetValueExA(key.Get(), kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                       static_cast<DWORD>(lstrlenA(folder) + 1));
}

int LoadIconSize() {
    const ScopedRegKey key = OpenRegKey(HKEY_CURRENT_USER, kKey, KEY_QUERY_VALUE);
    DWORD type = 0, size = 0, bytes = sizeof size;
    if (!key ||
        RegQueryValueExA(key.Get(), kIconSizeValue, nullptr, &type, reinterpret_cast<BYTE*>(&size),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof size || !quarvel::IsIconSize(static_cast<int>(size)))
        return quarvel::kDefaultIconSize;
    return static_cast<int>(size);
}

void StoreIconSize(int size) {
    if (!quarvel::IsIconSize(size))
        return;
    const ScopedRegKey key = CreateRegKey(HKEY_CURRENT_USER, kKey, KEY_SET_VALUE);
    const DWORD value = static_cast<DWORD>(size);
    if (key)
        RegSetValueExA(key.Get(), kIconSizeValue, 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof value);
}
