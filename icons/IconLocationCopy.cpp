// Copying icon locations.
#include "IconLocationCopy.h"

#include "engine/IconItem.h"
#include "engine/IconLocation.h"

namespace quarvel {

bool CopyIconLocation(HWND owner, const CIconItem* item) {
    const auto location = item ? IconLocation(*item) : std::nullopt;
    return location && CopyTextToClipboard(owner, location->c_str());
}

bool HasIconLocationSyntax(const CIconItem* item) {
    return item && item->GetKind() != CIconItem::CursorGroup;
}

} // namespace quarvel
