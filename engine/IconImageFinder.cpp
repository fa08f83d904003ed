// One pass over the icon type directory, and one over each name directory used.
#include "IconImageFinder.h"

namespace quarvel {

IconImageFinder::IconImageFinder(const CPEFile& file, std::uint16_t language, int imageType)
    : file_(file), language_(language) {
    const ResKey type(imageType);
    const ResPos typeDirectory = file.FindDirectory(&type, 1);
    const ResPos root = file.ResourceRoot();
    CResDirIterator entry(file.View(), typeDirectory, root);
    while (entry.Next()) {
        const ResPos target = entry.Subdirectory();
        // As FindDirectory: id entries only, the first match wins, no link back up the path.
        if (target == kNoPosition || entry.IsNamed() || target == root || target == typeDirectory)
            continue;
        names_.emplace(entry.GetId(), target);
    }
}

const IconImageFinder::Languages& IconImageFinder::LanguagesOf(ResPos nameDirectory,
                                                               std::uint16_t language) {
    const auto known = languages_.find({nameDirectory, language});
    if (known != languages_.end())
        return known->second;
    Languages found;
    CResDirIterator entry(file_.View(), nameDirectory, file_.ResourceRoot());
    while (entry.Next() && found.exact == kNoPosition) {
        if (entry.IsSubdirectory() || entry.IsNamed())
            continue;
        if (found.any == kNoPosition) {
            found.any = entry.DataEntry();
            found.anyId = entry.GetId();
        }
        if (entry.GetId() == language) {
            found.exact = entry.DataEntry();
            found.exactId = entry.GetId();
        }
    }
    return languages_.emplace(CacheKey{nameDirectory, language}, found).first->second;
}

std::optional<CResourceRef> IconImageFinder::Find(std::uint16_t id, bool preferLanguage) {
    return FindIn(id, language_, preferLanguage);
}

std::optional<CResourceRef> IconImageFinder::FindPreferring(std::uint16_t id,
                                                            std::uint16_t language) {
    return FindIn(id, language, true);
}

std::optional<CResourceRef> IconImageFinder::FindIn(std::uint16_t id, std::uint16_t language,
                                                    bool preferLanguage) {
    const auto name = names_.find(id);
    if (id == 0 || name == names_.end())
        return std::nullopt;
    const Languages& languages = LanguagesOf(name->second, language);
    if (preferLanguage && languages.exact != kNoPosition)
        return CResourceRef(file_, languages.exact, languages.exactId);
    if (languages.any != kNoPosition)
        return CResourceRef(file_, languages.any, languages.anyId);
    return std::nullopt;
}

} // namespace quarvel
