// The extension rule and the type match of the search.
#include "SearchRules.h"

namespace quarvel::search {

namespace {

// Case-insensitive for ASCII letters only. That is exact here: the types are ASCII, a '.' is
// never the trail byte of a double-byte character, no ASCII letter is a lead byte, and in UTF-8
// every byte of a non-ASCII character is 0x80 or above.
bool SameExtension(std::string_view extension, std::string_view type) {
    if (extension.size() != type.size())
        return false;
    for (std::size_t i = 0; i < type.size(); ++i) {
        char c = extension[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != type[i])
            return false;
    }
    return true;
}

} // namespace

std::string_view SearchExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return path.substr(dot);
}

bool HasIconExtension(std::string_view path) {
    return SameExtension(SearchExtension(path), ".ICO");
}

bool HasCursorExtension(std::string_view path) {
    const std::string_view extension = SearchExtension(path);
    return SameExtension(extension, ".CUR") || SameExtension(extension, ".ANI");
}

bool MatchesChosenType(std::string_view path, const SearchFilter& filter) {
    const std::string_view extension = SearchExtension(path);
    if (extension.empty())
        return false;
    const struct {
        bool chosen;
        const char* type;
    } types[] = {{filter.dll, ".DLL"}, {filter.drv, ".DRV"}, {filter.exe, ".EXE"},
                 {filter.ico, ".ICO"}, {filter.ocx, ".OCX"}, {filter.scr, ".SCR"},
                 {filter.cur, ".CUR"}, {filter.ani, ".ANI"}};
    for (const auto& type : types)
        if (type.chosen && SameExtension(extension, type.type))
            return true;
    return false;
}

} // namespace quarvel::search
