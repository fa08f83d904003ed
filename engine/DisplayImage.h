// The image that stands for a group icon or an .ico file on screen: the choice made before the
// system builds the icon (portable, so every build can test and fuzz it).
#pragma once

#include "ByteView.h"
#include "GroupIcon.h"
#include "IcoDirectory.h"
#include "ResKey.h"

#include <cstdint>
#include <optional>

namespace quarvel {

class CPEFile;
class IconImageFinder;

// The group in `language`, else in the first language stored, when it is an icon's: more than its
// 6 header bytes, reserved 0, type 1, at least one entry, every entry inside its data.
std::optional<GroupIcon> FindDisplayGroup(const CPEFile& file, ResKey name, std::uint16_t language);

// In the group that FindDisplayGroup answers, the entry whose bWidth equals `width` with the most
// bits per pixel (the first of those; entry 0 when no width matches, but for a width above 32, a
// high-DPI cell, the widest narrower image of 32 or more first); when that image is missing or
// not all inside the file, the first entry in directory order whose image is. Nothing when there is
// no such group or none of its images is there.
std::optional<ByteView> ChooseDisplayImage(const CPEFile& file, ResKey name, std::uint16_t language,
                                           int width);
// The same with the file's images indexed beforehand (an IconImageFinder of the file; only its
// lookups in any language are used).
std::optional<ByteView> ChooseDisplayImage(const CPEFile& file, IconImageFinder& images,
                                           ResKey name, std::uint16_t language, int width);

// The same choice in an .ico file whose header is an icon's (reserved 0, type 1, at least one
// entry) and whose whole directory lies inside the file: the deepest entry whose bWidth equals
// `width` (the first of those), else as above; when that image is not all inside the file, the
// first in directory order that is.
std::optional<ByteView> ChooseIcoDisplayImage(const IcoDirectory& directory, int width);

} // namespace quarvel
