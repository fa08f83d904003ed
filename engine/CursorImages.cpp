// Reading the images of cursor items.
#include "CursorImages.h"

#include "GroupCursor.h"
#include "IconItem.h"
#include "PEFile.h"
#include "PngExport.h"

namespace quarvel {

std::unique_ptr<CIconImageSet> ReadAniFrameSet(const AnimatedCursor& cursor) {
    std::unique_ptr<CIconImageSet> set =
        MakeImageSet(cursor.FrameCount(), [&cursor](int index, IconSetEntry& entry) {
            const std::unique_ptr<CIconImageSet> frame = ReadAniFrameImages(cursor, index);
            const int largest = frame ? LargestImage(*frame) : -1;
            if (largest < 0)
                return false;
            entry = std::move(frame->entries[static_cast<std::size_t>(largest)]);
            if (frame->type != kCursorType)
                entry.wPlanes = entry.wBitCount = 0; // an icon frame's hot spot is its corner
            return true;
        });
    if (set)
        set->type = kCursorType;
    return set;
}

std::unique_ptr<CIconImageSet> ReadCursorImages(const CIconItem& item, std::string* why) {
    std::unique_ptr<CIconImageSet> set;
    switch (item.GetKind()) {
    case CIconItem::CursorGroup: {
        const CPEFile file(item.GetPath().c_str());
        if (file.IsOpen())
            set = ReadGroupCursorImages(file, item.GetName(), item.GetLanguage());
        break;
    }
    case CIconItem::CursorFile:
        set = ReadCurFileImages(item.GetPath().c_str());
        break;
    case CIconItem::AnimatedCursorFile: {
        const AniFile file(item.GetPath().c_str());
        if (!file.Cursor()) {
            if (why)
                *why = file.Error();
            return nullptr;
        }
        set = ReadAniFrameSet(*file.Cursor());
        if (!set && why)
            *why = "a frame cannot be read";
        return set;
    }
    default:
        break;
    }
    if (!set && why)
        *why = item.IsCursor() ? "the cursor cannot be read" : "not a cursor";
    return set;
}

std::uint64_t JiffiesToMilliseconds(std::uint32_t jiffies) {
    return (std::uint64_t{jiffies} * 1000 + kJiffiesPerSecond / 2) / kJiffiesPerSecond;
}

} // namespace quarvel
