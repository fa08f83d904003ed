// The words the icon panes show for cursors: the icon list's tooltip line and the sub-icon
// view's row labels (hot spot, frame number and display time).
#pragma once

#include <cstdint>
#include <string>

namespace quarvel {

class CIconItem;

// The tooltip's first line for a cursor item: "Cursor", "Cursor file", or for an .ani file
// "Animated cursor: 4 frames, 6 steps" ("Animated cursor: damaged (<why>)" when it cannot be
// read); "" for an icon.
std::string CursorTooltipLine(const CIconItem& item);

// "32x32x32bit  hot spot 5,5": an image's label with its hot spot.
std::string HotSpotLabel(const std::string& imageLabel, int x, int y);

// "Frame 2, 167 ms  ": what leads the label of an animation step showing frame `frame` (counted
// from 0, shown from 1) for `jiffies` sixtieths of a second.
std::string FrameLabel(int frame, std::uint32_t jiffies);

} // namespace quarvel
