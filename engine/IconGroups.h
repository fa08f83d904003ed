// Listing the icons of one file: one per group icon name and language, or one for an .ico file.
#pragma once

#include "ResKey.h"

#include <cstdint>
#include <functional>

namespace quarvel {

struct IconFacts;

// Whatever receives the icons of a file (the icon list view, the command line, tests).
// Each operation answers 1 when it took the icon, 0 otherwise.
class IconListReceiver {
public:
    virtual ~IconListReceiver() = default;
    // A group icon of an image file; a name given as text lives only during the call.
    virtual int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) = 0;
    virtual int AddIconFile(const char* path) = 0;
    // A group icon of the file at `listedPath` whose images live in `sourcePath`, the .mun file
    // its icons were moved to (MunFallback.h). Taken by default as a group icon of the .mun file.
    virtual int AddMovedGroupIcon(const char* listedPath, const char* sourcePath, ResKey name,
                                  std::uint16_t language) {
        (void)listedPath;
        return AddGroupIcon(sourcePath, name, language);
    }

    // Cursors are listed only to a receiver that takes them; the others see icons alone.
    virtual bool TakesCursors() const { return false; }
    // A group cursor of an image file, listed after the file's group icons.
    virtual int AddGroupCursor(const char* path, ResKey name, std::uint16_t language) {
        (void)path, (void)name, (void)language;
        return 0;
    }
    // A whole .cur file, or a whole .ani file (AniFile.h).
    virtual int AddCursorFile(const char* path) {
        (void)path;
        return 0;
    }
    virtual int AddAnimatedCursorFile(const char* path) {
        (void)path;
        return 0;
    }

    // What a listing that read the images learnt of the icon it has just added (and the
    // receiver took): its image facts (IconFacts.h; the texts are the receiver's to fill) and
    // the number of the first icon of that listing with the same images (UniqueIcons: its own
    // number when it is the first). Receivers that need neither ignore it.
    virtual void DescribeLastIcon(const IconFacts& facts, int firstOf) {
        (void)facts, (void)firstOf;
    }
};

// True when the text after the path's last '.' is "ico" in any case; the others likewise for
// "cur" and "ani".
bool HasIcoExtension(const char* path);
bool HasCurExtension(const char* path);
bool HasAniExtension(const char* path);

class CPEFile;

// Lists the group icons of an open image file under `path`; answers how many were listed.
int ListGroupIcons(const CPEFile& file, const char* path, IconListReceiver& receiver);
// The same for its group cursors (through AddGroupCursor).
int ListGroupCursors(const CPEFile& file, const char* path, IconListReceiver& receiver);
// What ListIconGroups lists of an open image file: its group icons, or its .mun file's when it
// has none (MunFallback.h), then its group cursors when the receiver takes them.
int ListImageFileGroups(const CPEFile& file, const char* path, IconListReceiver& receiver);

// Lists the icons of the file at `path` into `receiver`, in stored order; answers how many were
// listed (also those that the receiver refused). An image file without group icons lists those
// of its .mun file, when it has one (MunFallback.h). For a receiver that takes cursors, its
// group cursors follow, and .cur and .ani files are listed too. 0 for a missing path, a folder,
// or a file that is not an image.
int ListIconGroups(const char* path, IconListReceiver* receiver);
// The same; `whileOpen` then runs on an image file, still open, so that what was listed can be
// read from it without opening it again.
int ListIconGroups(const char* path, IconListReceiver* receiver,
                   const std::function<void(const CPEFile& file)>& whileOpen);

} // namespace quarvel
