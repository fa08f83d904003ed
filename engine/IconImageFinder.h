// Finds the RT_ICON images of one group, or of every group of a file: the icon directory is
// indexed once, so a group of many entries, or a file of many groups, costs one pass over the
// tree instead of one pass per entry.
#pragma once

#include "PEFile.h"

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace quarvel {

class IconImageFinder {
public:
    // `language` is the one preferred by Find(id, true); `imageType` is RT_ICON, or RT_CURSOR
    // for the images of a group cursor.
    IconImageFinder(const CPEFile& file, std::uint16_t language, int imageType = kResTypeIcon);

    // The image `id`: in the preferred language when asked and present, else in the first
    // language stored (the same answer as FindResourceLang, then FindResourceAnyLang).
    std::optional<CResourceRef> Find(std::uint16_t id, bool preferLanguage);
    // The same preferring `language`: one index serves the groups of a file in every language.
    std::optional<CResourceRef> FindPreferring(std::uint16_t id, std::uint16_t language);

private:
    struct Languages {
        ResPos exact = kNoPosition; // data entry in the preferred language
        ResPos any = kNoPosition;   // first data entry stored
        std::uint16_t exactId = 0, anyId = 0;
    };
    struct CacheKey {
        ResPos nameDirectory;
        std::uint16_t language;
        bool operator==(const CacheKey& other) const {
            return nameDirectory == other.nameDirectory && language == other.language;
        }
    };
    struct CacheKeyHash {
        std::size_t operator()(const CacheKey& key) const {
            return std::hash<ResPos>()(key.nameDirectory) * 31 + key.language;
        }
    };
    const Languages& LanguagesOf(ResPos nameDirectory, std::uint16_t language);
    std::optional<CResourceRef> FindIn(std::uint16_t id, std::uint16_t language,
                                       bool preferLanguage);

    const CPEFile& file_;
    std::uint16_t language_;
    std::unordered_map<std::uint16_t, ResPos> names_; // id -> first matching name directory
    std::unordered_map<CacheKey, Languages, CacheKeyHash> languages_;
};

} // namespace quarvel
