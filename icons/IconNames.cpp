// Proposed file names of icons.
#include "IconNames.h"

#include "engine/IcoWriter.h"
#include "engine/IconItem.h"

namespace quarvel {

CString IconSourceName(const CIconItem& item) {
    if (item.IsGroup())
        return CString(MakeDefaultIconName(item.GetListedPath().c_str(), item.GetName()));
    std::string name = FileNameOf(item.GetListedPath().c_str());
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return CString(name);
}

const char* OwnFormatExtension(const CIconItem& item) {
    switch (item.GetKind()) {
    case CIconItem::CursorGroup:
    case CIconItem::CursorFile:
        return ".cur";
    case CIconItem::AnimatedCursorFile:
        return ".ani";
    default:
        return ".ico";
    }
}

} // namespace quarvel
