// UTF-16 to the ANSI code page with WideCharToMultiByte(CP_ACP).
#include "../AnsiText.h"

#include <windows.h>

#include <climits>
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

} // namespace quarvel::platform
