// The fold works on code points: decoded from UTF-8, mapped, encoded again. A byte that does not
// start a well-formed sequence passes through alone.
#include "TextFold.h"

#include <cstdint>

namespace quarvel {

namespace {

// Upper and lower case side by side: even code points capital (or odd ones with `oddUpper`).
char32_t FoldPair(char32_t c, bool oddUpper) {
    return ((c & 1) != 0) == oddUpper ? c + 1 : c;
}

char32_t FoldLatin(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    if (c == 0xB5) // micro sign: the Greek mu
        return 0x3BC;
    if (c == 0x130) // capital I with dot: i
        return U'i';
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return FoldPair(c, false);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return FoldPair(c, true);
    if (c == 0x178)
        return 0xFF;
    if (c == 0x17F) // long s
        return U's';
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF))
        return FoldPair(c, false);
    if (c == 0x1E9E) // capital sharp s
        return 0xDF;
    return c;
}

char32_t FoldGreek(char32_t c) {
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (c == 0x38E || c == 0x38F)
        return c + 0x3F;
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB))
        return c + 0x20;
    if (c == 0x3C2) // final sigma
        return 0x3C3;
    return c;
}

char32_t FoldCyrillicArmenian(char32_t c) {
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return FoldPair(c, false);
    if (c == 0x4C0)
        return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE)
        return FoldPair(c, true);
    if (c >= 0x531 && c <= 0x556)
        return c + 0x30;
    return c;
}

char32_t FoldChar(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width ASCII
        return FoldLatin(c - 0xFEE0);
    if (c < 0x370 || (c >= 0x1E00 && c <= 0x1EFF))
        return FoldLatin(c);
    if (c < 0x400)
        return FoldGreek(c);
    if (c < 0x590)
        return FoldCyrillicArmenian(c);
    return c;
}

// Decodes the well-formed sequence at `text[at]` (no overlong forms, surrogates or values above
// U+10FFFF) and answers its length; 0 when there is none.
std::size_t Decode(const std::string& text, std::size_t at, char32_t& c) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length;
    char32_t min;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

void Encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string FoldCase(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t c;
        const std::size_t length = Decode(text, at, c);
        if (length == 0) {
            out += text[at++];
            continue;
        }
        Encode(FoldChar(c), out);
        at += length;
    }
    return out;
}

bool ContainsFolded(const std::string& text, const std::string& folded) {
    return FoldCase(text).find(folded) != std::string::npos;
}

} // namespace quarvel
