// The images of the cursors the icon list holds (group cursors, .cur and .ani files), read as
// one set of type kCursorType, so that the icon panes draw, save and export them as they do an
// icon's images.
#pragma once

#include "AniFile.h"
#include "IconImageSet.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quarvel {

class CIconItem;

// One entry per frame of the animation, in frame order: the frame's largest image (LargestImage)
// with its hot spot; a frame stored as an .ico file has none and gets 0,0. Null when a frame
// cannot be read.
std::unique_ptr<CIconImageSet> ReadAniFrameSet(const AnimatedCursor& cursor);

// A cursor item's images: a group cursor's (ReadGroupCursorImages), a .cur file's
// (ReadCurFileImages) or an .ani file's frames (ReadAniFrameSet). Null for an item that is not
// a cursor or cannot be read whole; `why` (when given) then says what is wrong.
std::unique_ptr<CIconImageSet> ReadCursorImages(const CIconItem& item, std::string* why = nullptr);

// A display time of `jiffies` sixtieths of a second in milliseconds, rounded.
std::uint64_t JiffiesToMilliseconds(std::uint32_t jiffies);

} // namespace quarvel
