// Which files a search counts by name: the chosen types and the extension rule.
#pragma once

#include <cstdint>
#include <string_view>

namespace quarvel::search {

// The file types of the search form's check boxes.
struct SearchFilter {
    bool allFiles = true; // every .ico, .cur and .ani, and every other file that looks like an
                          // image file
    bool dll = true;
    bool drv = true;
    bool exe = true;
    bool ico = true;
    bool ocx = true;
    bool scr = true;
    bool cur = true;
    bool ani = true;

    bool AnyChosen() const {
        return allFiles || dll || drv || exe || ico || ocx || scr || cur || ani;
    }
};

// The sizes an image file can have for the search's content probe, both included.
constexpr std::uint64_t kSmallestImage = 0x1000;   // 4,096 bytes
constexpr std::uint64_t kLargestImage = 0x4000000; // 64 MiB
inline bool SizeFitsImage(std::uint64_t size) {
    return size >= kSmallestImage && size <= kLargestImage;
}

// The extension as the search sees it: the whole path from its last '.' on, dot included, so a
// name without a dot takes it from a dotted folder ("C:\v1.2\readme" gives ".2\readme"). Empty
// when the path holds no '.' after its first character.
std::string_view SearchExtension(std::string_view path);

// True when the path's extension is ".ico", ignoring case (found whatever its contents).
bool HasIconExtension(std::string_view path);
// True for ".cur" and ".ani", ignoring case (found whatever their contents, as .ico files are).
bool HasCursorExtension(std::string_view path);

// True when the path's extension names one of the chosen types, ignoring case. The "all files"
// choice is not consulted here.
bool MatchesChosenType(std::string_view path, const SearchFilter& filter);

} // namespace quarvel::search
