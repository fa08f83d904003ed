// Reading and writing the settings in the registry.
#include "Settings.h"

#include "IconSize.h"
#include "Registry.h"
#include "engine/platform/AnsiText.h"

#include <windows.h>

#include <optional>

namespace {
const char kKey[] = "SOFTWARE\\Vendrel\\Quarvel";
const char kValue[] = "savefolder";
const char kIconSizeValue[] = "iconsize";
const char kIconOrderValue[] = "iconorder";           // IconOrder: 0 File, 1 Name, 2 Largest Image
const char kHideDuplicatesValue[] = "hideduplicates"; // 1 when hidden
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

namespace {
// The user's number stored under `value`, or nothing when none is stored or it is not a DWORD.
std::optional<DWORD> ReadUserNumber(const char* value) {
    const ScopedRegKey key = OpenRegKey(HKEY_CURRENT_USER, kKey, KEY_QUERY_VALUE);
    DWORD type = 0, number = 0, bytes = sizeof number;
    if (!key ||
        RegQueryValueExA(key.Get(), value, nullptr, &type, reinterpret_cast<BYTE*>(&number),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof number)
        return std::nullopt;
    return number;
}

void StoreUserNumber(const char* value, DWORD number) {
    const ScopedRegKey key = CreateRegKey(HKEY_CURRENT_USER, kKey, KEY_SET_VALUE);
    if (key)
        RegSetValueExA(key.Get(), value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
}
} // namespace

int LoadIconSize() {
    const std::optional<DWORD> size = ReadUserNumber(kIconSizeValue);
    return size && quarvel::IsIconSize(static_cast<int>(*size)) ? static_cast<int>(*size)
                                                                : quarvel::kDefaultIconSize;
}

void StoreIconSize(int size) {
    if (quarvel::IsIconSize(size))
        StoreUserNumber(kIconSizeValue, static_cast<DWORD>(size));
}

quarvel::IconOrder LoadIconOrder() {
    const std::optional<DWORD> order = ReadUserNumber(kIconOrderValue);
    return order && *order <= static_cast<DWORD>(quarvel::IconOrder::LargestImage)
               ? static_cast<quarvel::IconOrder>(*order)
               : quarvel::IconOrder::File;
}

void StoreIconOrder(quarvel::IconOrder order) {
    StoreUserNumber(kIconOrderValue, static_cast<DWORD>(order));
}

bool LoadHideDuplicates() {
    const std::optional<DWORD> hide = ReadUserNumber(kHideDuplicatesValue);
    return hide && *hide == 1;
}

void StoreHideDuplicates(bool hide) {
    StoreUserNumber(kHideDuplicatesValue, hide ? 1 : 0);
}
