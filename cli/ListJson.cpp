// The JSON form of the listing, its strings escaped by hand (the program has no JSON library).
#include "ListJson.h"

#include "engine/AniFile.h"
#include "engine/GroupCursor.h"
#include "engine/IconImage.h"
#include "engine/PngExport.h"

#include <cstdio>

namespace quarvel::cli {

namespace {

// The length of the valid UTF-8 sequence at `at` (no overlong forms, surrogates or code points
// above U+10FFFF); 0 when the byte there does not start one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (text.size() - at < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

std::string JsonNumber(int value, bool known) {
    return known ? std::to_string(value) : "null";
}

std::string ImageJson(const ByteView& image) {
    const auto facts = ReadImageFacts(image);
    return "{\"width\":" + JsonNumber(facts ? facts->width : 0, facts.has_value()) +
           ",\"height\":" + JsonNumber(facts ? facts->height : 0, facts.has_value()) +
           ",\"depth\":" + JsonNumber(facts ? facts->bitCount : 0, facts.has_value()) +
           ",\"png\":" + (IsPngImage(image) ? "true" : "false") + "}";
}

std::string SetJson(const CIconImageSet* set) {
    if (set == nullptr)
        return "null";
    std::string out = "[";
    for (int i = 0; i < set->Count(); ++i)
        out += (i == 0 ? "" : ",") + ImageJson(ImageOf(*set, i));
    return out + "]";
}

} // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out + "\"";
}

const CPEFile& JsonIconLines::File(const std::string& path) {
    std::unique_ptr<CPEFile>& file = files_[path];
    if (!file)
        file = std::make_unique<CPEFile>(path.c_str());
    return *file;
}

std::string JsonIconLines::ImagesOf(const ListedIcon& icon) {
    switch (icon.kind) {
    case ListedKind::IconGroup:
        return SetJson(ReadGroupImages(File(icon.source), icon.Key(), icon.language).get());
    case ListedKind::IconFile:
        return SetJson(ReadIcoFileImages(icon.source.c_str()).get());
    case ListedKind::CursorGroup:
        return SetJson(ReadGroupCursorImages(File(icon.source), icon.Key(), icon.language).get());
    case ListedKind::CursorFile:
        return SetJson(ReadCurFileImages(icon.source.c_str()).get());
    case ListedKind::AnimatedCursor: {
        const AniFile file(icon.source.c_str());
        const AnimatedCursor* cursor = file.Cursor();
        if (cursor == nullptr || cursor->FrameCount() == 0)
            return "null,\"frames\":null";
        return SetJson(ReadAniFrameImages(*cursor, 0).get()) +
               ",\"frames\":" + std::to_string(cursor->FrameCount());
    }
    }
    return "null";
}

std::string JsonIconLines::Line(const ListedIcon& icon, const std::string& location) {
    std::string out =
        "{\"path\":" + JsonString(icon.source) + ",\"kind\":\"" + KindWord(icon.kind) + "\"";
    if (icon.IsGroup()) {
        out += icon.nameIsId ? ",\"id\":" + std::to_string(icon.id)
                             : ",\"name\":" + JsonString(icon.name);
        out += ",\"language\":" + std::to_string(icon.language);
    }
    out += ",\"location\":" + (location.empty() ? std::string("null") : JsonString(location));
    return out + ",\"images\":" + ImagesOf(icon) + "}\n";
}

} // namespace quarvel::cli
