// Lookups in the resource tree of a CPEFile: directories by path, names, languages, resources.
#include "PEFile.h"

#include <algorithm>

namespace quarvel {

namespace {

// Paths longer than this are refused: the tree has three levels.
constexpr std::size_t kMaxPathDepth = 8;

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (FoldAscii(*a) != FoldAscii(*b))
            return false;
    }
    return *a == *b;
}

bool Matches(const CResDirIterator& entry, ResKey key) {
    if (key.IsId())
        return !entry.IsNamed() && entry.GetId() == key.Id();
    if (!entry.IsNamed())
        return false;
    char name[kResNameBufferSize] = {};
    entry.GetNameA(name, sizeof name);
    return EqualIgnoringCase(name, key.Name());
}

} // namespace

ResPos CPEFile::FindDirectory(const ResKey* path, std::size_t length, ResPos from) const {
    if (!IsOpen() || resourceRoot_ == kNoPosition || path == nullptr || length == 0 ||
        length > kMaxPathDepth)
        return kNoPosition;
    // Directories open on the current path: a link back into one of them is a cycle.
    ResPos open[kMaxPathDepth + 2];
    std::size_t openCount = 0;
    open[openCount++] = resourceRoot_;
    ResPos directory = from == kNoPosition ? resourceRoot_ : from;
    if (directory != resourceRoot_)
        open[openCount++] = directory;
    for (std::size_t level = 0; level < length; ++level) {
        if (!path[level].IsValid())
            return kNoPosition;
        CResDirIterator entry(view_, directory, resourceRoot_);
        ResPos found = kNoPosition;
        while (found == kNoPosition && entry.Next()) {
            if (!entry.IsSubdirectory() || !Matches(entry, path[level]))
                continue;
            const ResPos target = entry.Subdirectory();
            if (std::find(open, open + openCount, target) == open + openCount)
                found = target;
        }
        if (found == kNoPosition)
            return kNoPosition;
        directory = found;
        open[openCount++] = directory;
    }
    return directory;
}

bool CPEFile::EnumNames(ResKey type, EnumNamesProc callback, void* user) const {
    if (!type.IsValid() || callback == nullptr)
        return false;
    const ResPos typeDirectory = FindDirectory(&type, 1);
    if (typeDirectory == kNoPosition)
        return false;
    bool seen = false;
    CResDirIterator entry(view_, typeDirectory, resourceRoot_);
    while (entry.Next()) {
        const ResPos target = entry.Subdirectory();
        if (target == kNoPosition || target == resourceRoot_ || target == typeDirectory)
            continue;
        seen = true;
        char name[kResNameBufferSize] = {};
        const ResKey key = entry.IsNamed() ? (entry.GetNameA(name, sizeof name), ResKey(name))
                                           : ResKey(entry.GetId());
        if (!callback(type, key, user))
            return true;
    }
    return seen;
}

bool CPEFile::EnumLanguages(ResKey type, ResKey name, EnumLanguagesProc callback,
                            void* user) const {
    if (!type.IsValid() || !name.IsValid() || callback == nullptr)
        return false;
    const ResKey path[] = {type, name};
    const ResPos nameDirectory = FindDirectory(path, 2);
    if (nameDirectory == kNoPosition)
        return false;
    bool seen = false;
    CResDirIterator entry(view_, nameDirectory, resourceRoot_);
    while (entry.Next()) {
        if (entry.IsSubdirectory() || entry.IsNamed())
            continue;
        seen = true;
        if (!callback(type, name, entry.GetId(), user))
            return true;
    }
    return seen;
}

std::unique_ptr<CResourceRef> CPEFile::FindResource(ResKey type, ResKey name, bool anyLanguage,
                                                    std::uint16_t language) const {
    if (!type.IsValid() || !name.IsValid())
        return nullptr;
    const ResKey path[] = {type, name};
    const ResPos nameDirectory = FindDirectory(path, 2);
    CResDirIterator entry(view_, nameDirectory, resourceRoot_);
    while (entry.Next()) {
        if (entry.IsSubdirectory() || entry.IsNamed())
            continue;
        if (anyLanguage || entry.GetId() == language)
            return std::make_unique<CResourceRef>(*this, entry.DataEntry(), entry.GetId());
    }
    return nullptr;
}

std::unique_ptr<CResourceRef> CPEFile::FindResourceLang(ResKey type, ResKey name,
                                                        std::uint16_t language) const {
    return FindResource(type, name, false, language);
}

std::unique_ptr<CResourceRef> CPEFile::FindResourceAnyLang(ResKey type, ResKey name) const {
    return FindResource(type, name, true, 0);
}

} // namespace quarvel
