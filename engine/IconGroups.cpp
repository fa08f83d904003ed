// ListIconGroups: the icons of one file, as the file list counts them.
#include "IconGroups.h"

#include "MunFallback.h"
#include "PEFile.h"
#include "platform/FileSystem.h"

#include <cstring>
#include <unordered_set>

namespace quarvel {

bool HasIcoExtension(const char* path) {
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr || dot == path)
        return false;
    const char* ext = dot + 1;
    return std::strlen(ext) == 3 && (ext[0] | 0x20) == 'i' && (ext[1] | 0x20) == 'c' &&
           (ext[2] | 0x20) == 'o';
}

// Walks the group icon names and, within each name, its languages. The languages are read
// from the name's own directory rather than looked up again by name, and a directory that
// several names share is walked once, which keeps the work linear in the size of the file.
// A name without languages ends the listing.
//
// Limit: at most one entry per 8 bytes of the file is walked. Directories that do not overlap
// hold no more entries than that, so no sound file is affected; but names whose directories
// overlap (each starting 8 bytes after the last) would let a file of a few kilobytes list
// millions of icons.
int ListGroupIcons(const CPEFile& file, const char* path, IconListReceiver& receiver) {
    const ResKey type(kResTypeGroupIcon);
    const ResPos typeDirectory = file.FindDirectory(&type, 1);
    const ResPos root = file.ResourceRoot();
    std::uint64_t entriesLeft = file.View().Size() / 8;
    const auto walk = [&entriesLeft](CResDirIterator& entry) {
        if (entriesLeft == 0 || !entry.Next())
            return false;
        --entriesLeft;
        return true;
    };
    int count = 0;
    std::unordered_set<ResPos> walked;
    CResDirIterator name(file.View(), typeDirectory, root);
    while (walk(name)) {
        const ResPos nameDirectory = name.Subdirectory();
        if (nameDirectory == kNoPosition || nameDirectory == root ||
            nameDirectory == typeDirectory || !walked.insert(nameDirectory).second)
            continue;
        char text[kResNameBufferSize] = {};
        const ResKey key = name.IsNamed() ? (name.GetNameA(text, sizeof text), ResKey(text))
                                          : ResKey(name.GetId());
        bool anyLanguage = false;
        CResDirIterator language(file.View(), nameDirectory, root);
        while (walk(language)) {
            if (language.IsSubdirectory() || language.IsNamed())
                continue;
            anyLanguage = true;
            receiver.AddGroupIcon(path, key, language.GetId());
            ++count;
        }
        if (!anyLanguage)
            break;
    }
    return count;
}

int ListIconGroups(const char* path, IconListReceiver* receiver) {
    if (path == nullptr || *path == '\0' || receiver == nullptr ||
        platform::GetPathKind(path) != platform::PathKind::File)
        return 0;
    if (HasIcoExtension(path)) {
        receiver->AddIconFile(path);
        return 1;
    }
    CPEFile file(path);
    if (!file.IsOpen())
        return 0;
    const std::string name = file.GetFileName();
    const int count = ListGroupIconsOrMoved(file, name.c_str(), *receiver);
    file.Close();
    return count;
}

} // namespace quarvel
