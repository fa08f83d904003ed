// UTF-16 to UTF-8 for names stored in image files (unpaired surrogates become '?'), and the
// UTF-16 length of UTF-8 text.
#include "../AnsiText.h"

#include <cstring>

namespace quarvel::platform {

namespace {

std::uint32_t UnitAt(const std::uint8_t* units, std::size_t i) {
    return static_cast<std::uint32_t>(units[2 * i]) |
           (static_cast<std::uint32_t>(units[2 * i + 1]) << 8);
}

// Encodes one code point; answers the number of bytes written or 0 when it does not fit.
std::size_t PutUtf8(std::uint32_t cp, char* out, std::size_t room) {
    unsigned char b[4];
    std::size_t n;
    if (cp < 0x80) {
        b[0] = static_cast<unsigned char>(cp);
        n = 1;
    } else if (cp < 0x800) {
        b[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
        b[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        n = 2;
    } else if (cp < 0x10000) {
        b[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
        b[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        b[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        n = 3;
    } else {
        b[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
        b[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
        b[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        b[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        n = 4;
    }
    if (n > room)
        return 0;
    std::memcpy(out, b, n);
    return n;
}

} // namespace

bool Utf16ToNarrow(const std::uint8_t* units, std::size_t count, char* out, std::size_t outSize) {
    if (out == nullptr || outSize == 0)
        return false;
    out[0] = '\0';
    std::size_t used = 0;
    const std::size_t room = outSize - 1; // keep one byte for the terminator
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t cp = UnitAt(units, i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count) {
            const std::uint32_t low = UnitAt(units, i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = '?';
        const std::size_t n = PutUtf8(cp, out + used, room - used);
        if (n == 0) {
            out[0] = '\0';
            return false;
        }
        used += n;
    }
    out[used] = '\0';
    return true;
}

std::size_t Utf16Length(const char* text) {
    std::size_t units = 0;
    for (const char* p = text ? text : ""; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if ((byte & 0xC0) != 0x80)
            ++units; // a lead byte or ASCII starts a character
        if (byte >= 0xF0)
            ++units; // four bytes: a surrogate pair
    }
    return units;
}

} // namespace quarvel::platform
