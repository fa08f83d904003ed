// Group cursors of image files: an RT_GROUP_CURSOR directory (a group icon's 6-byte header with
// type 2, then 14-byte entries) over RT_CURSOR images, each led by its hot spot.
#pragma once

#include "GroupIcon.h"
#include "IconImageSet.h"
#include "ResKey.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace quarvel {

class CPEFile;
class IconImageFinder;

// The bytes before a cursor image's bitmap or PNG: its hot spot's 16-bit x and y.
constexpr std::uint64_t kHotSpotSize = 4;

// One entry of a group cursor: the image's sides (the height stored doubled, for the colour
// bitmap and its mask), planes, bit count, size (hot spot included) and RT_CURSOR id.
struct GroupCursorEntry {
    std::uint16_t width = 0, doubledHeight = 0, planes = 0, bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 0;
};

// Entry `index` (below the group's Count()) of a group cursor's directory.
GroupCursorEntry CursorEntry(const GroupIcon& group, int index);

// The group cursor `name` stored in exactly that language, when its directory parses.
std::optional<GroupIcon> FindGroupCursor(const CPEFile& file, ResKey name, std::uint16_t language);

// The images of a group cursor as a .cur file holds them (a set of type kCursorType): each
// entry's hot spot read from its image, the image the bytes after it, the width and height
// the image's own (the group entry's, its height halved, when the image's cannot be read). Each
// image is looked for in the group's language, else in the first stored; null unless every image is
// found with exactly its entry's size.
std::unique_ptr<CIconImageSet> ReadGroupCursorImages(const CPEFile& file, ResKey name,
                                                     std::uint16_t language);
// The same images viewed in the file's mapping (each after its hot spot): false (and `spans`
// emptied) exactly where ReadGroupCursorImages answers null.
bool FindGroupCursorSpans(const CPEFile& file, ResKey name, std::uint16_t language,
                          IconImageSpans& spans);
// The same with the file's cursor images indexed beforehand (an IconImageFinder of `file` for
// RT_CURSOR), once for all its group cursors.
bool FindGroupCursorSpans(const CPEFile& file, IconImageFinder& images, ResKey name,
                          std::uint16_t language, IconImageSpans& spans);

// Writes a group cursor as a .cur file; false with nothing written when it cannot be read or
// the file cannot be made (an existing file is replaced only when overwriting is allowed).
bool SaveGroupAsCur(const CPEFile& file, ResKey name, std::uint16_t language, const char* path,
                    bool overwrite);

} // namespace quarvel
