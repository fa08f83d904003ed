// Between UTF-16 and the active code page with WideCharToMultiByte / MultiByteToWideChar(CP_ACP):
// the legacy ANSI code page, or UTF-8 when the manifest asks for it.
#include "../AnsiText.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <vector>

namespace quarvel::platform {

bool Utf16ToNarrow(const std::uint8_t* units, std::size_t count, char* out, std::size_t outSize) {
    if (out == nullptr || outSize == 0)
        return false;
    out[0] = '\0';
    if (count == 0)
        return true;
    // Every code unit gives at least one byte, so a longer name cannot fit.
    if (count >= outSize || outSize > INT_MAX)
        return false;
    std::vector<wchar_t> wide(count);
    for (std::size_t i = 0; i < count; ++i)
        wide[i] = static_cast<wchar_t>(units[2 * i] | (units[2 * i + 1] << 8));
    const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), out,
                                            static_cast<int>(outSize - 1), nullptr, nullptr);
    if (written <= 0) {
        out[0] = '\0';
        return false;
    }
    out[written] = '\0';
    return true;
}

std::size_t Utf16Length(const char* text) {
    if (text == nullptr || *text == '\0')
        return 0;
    const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    return units > 0 ? static_cast<std::size_t>(units - 1) : std::strlen(text);
}

std::string NarrowFromWide(const wchar_t* text) {
    if (text == nullptr || *text == L'\0')
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(size - 1));
    return narrow;
}

std::wstring WideFromNarrow(const char* text) {
    if (text == nullptr || *text == '\0')
        return std::wstring();
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    wide.resize(static_cast<std::size_t>(size - 1));
    return wide;
}

} // namespace quarvel::platform
