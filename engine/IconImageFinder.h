// Finds the RT_ICON images of one group: the icon directory is indexed once, so a group of
// many entries costs one pass over the tree instead of one pass per entry.
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

private:
    struct Languages {
        ResPos exact = kNoPosition; // data entry in the preferred language
        ResPos any = kNoPosition;   // first data entry stored
        std::uint16_t exactId = 0, anyId = 0;
    };
    const Languages& LanguagesOf(ResPos nameDirectory);

    const CPEFile& file_;
    std::uint16_t language_;
    std::unordered_map<std::uint16_t, ResPos> names_; // id -> first matching name directory
    std::unordered_map<ResPos, Languages> languages_;
};

} // namespace quarvel
