// The icon list's records of icons.
#include "IconItem.h"

#include "ResourceTree.h"

namespace quarvel {

CIconItem::CIconItem(const char* path, ResKey name, std::uint16_t language, Kind kind)
    : path_(path ? path : ""), kind_(kind == CursorGroup ? CursorGroup : ResourceGroup),
      language_(language), nameIsId_(name.IsId()) {
    if (nameIsId_) {
        id_ = name.Id();
    } else {
        name_ = name.Name() ? name.Name() : "";
        if (name_.size() >= kResNameBufferSize)
            name_.resize(kResNameBufferSize - 1);
    }
}

CIconItem::CIconItem(const char* path, Kind kind)
    : path_(path ? path : ""),
      kind_(kind == CursorFile || kind == AnimatedCursorFile ? kind : IconFile) {}

const char* CIconItem::KindName() const {
    switch (kind_) {
    case ResourceGroup:
        return "icon";
    case IconFile:
        return "icon file";
    case CursorGroup:
        return "cursor";
    case CursorFile:
        return "cursor file";
    case AnimatedCursorFile:
        return "animated cursor";
    }
    return "icon";
}

} // namespace quarvel
