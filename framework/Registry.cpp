// Opening registry keys and reading their text values.
#include "Registry.h"

#include <algorithm>

ScopedRegKey OpenRegKey(HKEY root, const char* subkey, REGSAM access, LONG* status) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(root, subkey, 0, access, &key);
    if (status)
        *status = opened;
    return ScopedRegKey(opened == ERROR_SUCCESS ? key : nullptr);
}

ScopedRegKey CreateRegKey(HKEY root, const char* subkey, REGSAM access) {
    HKEY key = nullptr;
    const LONG created =
        RegCreateKeyExA(root, subkey, 0, nullptr, 0, access, nullptr, &key, nullptr);
    return ScopedRegKey(created == ERROR_SUCCESS ? key : nullptr);
}

LONG ReadRegistryText(HKEY key, const char* name, std::size_t maxLength, RegText kinds,
                      std::string& text) {
    if (maxLength >= MAXDWORD)
        return ERROR_INVALID_PARAMETER;
    // Room for the longest text and its zero: a value that fills it without one is too long.
    std::string buffer(maxLength + 1, '\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD type = REG_NONE;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && !(type == REG_EXPAND_SZ && kinds == RegText::OrExpandable))
        return ERROR_INVALID_DATA;
    buffer.resize(std::min<std::size_t>(size, buffer.size()));
    buffer.resize(std::min(buffer.find('\0'), buffer.size()));
    if (buffer.size() > maxLength)
        return ERROR_MORE_DATA;
    text = std::move(buffer);
    return ERROR_SUCCESS;
}

LONG ReadRegistryText(HKEY root, const char* subkey, const char* name, std::size_t maxLength,
                      RegText kinds, std::string& text) {
    LONG status = ERROR_SUCCESS;
    const ScopedRegKey key = OpenRegKey(root, subkey, KEY_QUERY_VALUE, &status);
    return key ? ReadRegistryText(key.Get(), name, maxLength, kinds, text) : status;
}

LONG ReadRegistryDefault(HKEY root, const char* subkey, std::size_t maxLength, std::string& text) {
    LONG status = ERROR_SUCCESS;
    const ScopedRegKey key = OpenRegKey(root, subkey, KEY_QUERY_VALUE, &status);
    if (!key)
        return status;
    status = ReadRegistryText(key.Get(), nullptr, maxLength, RegText::OrExpandable, text);
    if (status == ERROR_FILE_NOT_FOUND) {
        text.clear();
        return ERROR_SUCCESS;
    }
    return status;
}
