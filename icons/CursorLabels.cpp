// Cursor labels and tooltips.
#include "CursorLabels.h"

#include "engine/AniFile.h"
#include "engine/CursorImages.h"
#include "engine/IconItem.h"

namespace quarvel {

std::string CursorTooltipLine(const CIconItem& item) {
    switch (item.GetKind()) {
    case CIconItem::CursorGroup:
        return "Cursor";
    case CIconItem::CursorFile:
        return "Cursor file";
    case CIconItem::AnimatedCursorFile: {
        const AniFile file(item.GetPath().c_str());
        const AnimatedCursor* cursor = file.Cursor();
        if (!cursor)
            return "Animated cursor: damaged (" + file.Error() + ")";
        return "Animated cursor: " + std::to_string(cursor->FrameCount()) + " frames, " +
               std::to_string(cursor->Steps().size()) + " steps";
    }
    default:
        return std::string();
    }
}

std::string HotSpotLabel(const std::string& imageLabel, int x, int y) {
    return imageLabel + "  hot spot " + std::to_string(x) + "," + std::to_string(y);
}

std::string FrameLabel(int frame, std::uint32_t jiffies) {
    return "Frame " + std::to_string(frame + 1) + ", " +
           std::to_string(JiffiesToMilliseconds(jiffies)) + " ms  ";
}

} // namespace quarvel
