// ListIconGroups: the icons of one file, as the file list counts them.
#include "IconGroups.h"

#include "MunFallback.h"
#include "PEFile.h"
#include "platform/FileSystem.h"

#include <cstring>
#include <unordered_set>

namespace quarvel {

namespace {

// `extension` is three lower-case letters.
bool HasExtension(const char* path, const char* extension) {
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr || dot == path)
        return false;
    const char* ext = dot + 1;
    return std::strlen(ext) == 3 && (ext[0] | 0x20) == extension[0] &&
           (ext[1] | 0x20) == extension[1] && (ext[2] | 0x20) == extension[2];
}

} // namespace

bool HasIcoExtension(const char* path) {
    return HasExtension(path, "ico");
}
bool HasCurExtension(const char* path) {
    return HasExtension(path, "cur");
}
bool HasAniExtension(const char* path) {
    return HasExtension(path, "ani");
}

namespace {

// Walks the group names of a type (group icons or group cursors) and, within each name, its
// languages. The languages are read from the name's own directory rather than looked up again by
// name, and a directory that several names share is walked once, which keeps the work linear in the
// size of the file. A name without languages ends the listing.
//
// Limit: at most one entry per 8 bytes of the file is walked. Directories that do not overlap
// hold no more entries than that, so no sound file is affected; but names whose directories
// overlap (each starting 8 bytes after the last) would let a file of a few kilobytes list
// millions of icons.
template <typename Add>
int ListGroups(const CPEFile& file, int groupType, const char* path, Add add) {
    const ResKey type(groupType);
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
            add(path, key, language.GetId());
            ++count;
        }
        if (!anyLanguage)
            break;
    }
    return count;
}

} // namespace

int ListGroupIcons(const CPEFile& file, const char* path, IconListReceiver& receiver) {
    return ListGroups(file, kResTypeGroupIcon, path,
                      [&receiver](const char* at, ResKey name, std::uint16_t language) {
                          receiver.AddGroupIcon(at, name, language);
                      });
}

int ListGroupCursors(const CPEFile& file, const char* path, IconListReceiver& receiver) {
    return ListGroups(file, kResTypeGroupCursor, path,
                      [&receiver](const char* at, ResKey name, std::uint16_t language) {
                          receiver.AddGroupCursor(at, name, language);
                      });
}

int ListIconGroups(const char* path, IconListReceiver* receiver) {
    return ListIconGroups(path, receiver, nullptr);
}

int ListIconGroups(const char* path, IconListReceiver* receiver,
                   const std::function<void(const CPEFile& file)>& whileOpen) {
    if (path == nullptr || *path == '\0' || receiver == nullptr)
        return 0;
    // Whole icon and cursor files are listed by their name, without reading them.
    const bool cursors = receiver->TakesCursors();
    const bool iconFile = HasIcoExtension(path);
    const bool cursorFile = cursors && HasCurExtension(path);
    const bool animatedFile = cursors && HasAniExtension(path);
    if (iconFile || cursorFile || animatedFile) {
        if (platform::GetPathKind(path) != platform::PathKind::File)
            return 0;
        if (iconFile)
            receiver->AddIconFile(path);
        else if (cursorFile)
            receiver->AddCursorFile(path);
        else
            receiver->AddAnimatedCursorFile(path);
        return 1;
    }
    // Opening the file is the only look at it: the mapping refuses what is not a file.
    CPEFile file(path);
    if (!file.IsOpen())
        return 0;
    const std::string name = file.GetFileName();
    const int count = ListImageFileGroups(file, name.c_str(), *receiver);
    if (whileOpen)
        whileOpen(file);
    file.Close();
    return count;
}

int ListImageFileGroups(const CPEFile& file, const char* path, IconListReceiver& receiver) {
    const int icons = ListGroupIconsOrMoved(file, path, receiver);
    return icons + (receiver.TakesCursors() ? ListGroupCursors(file, path, receiver) : 0);
}

} // namespace quarvel
