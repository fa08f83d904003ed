// The icon list's records of icons.
#include "IconItem.h"

#include "ResourceTree.h"

namespace quarvel {

CIconItem::CIconItem(const char* path, ResKey name, std::uint16_t language)
    : path_(path ? path : ""), kind_(ResourceGroup), language_(language), nameIsId_(name.IsId()) {
    if (nameIsId_) {
        id_ = name.Id();
    } else {
        name_ = name.Name() ? name.Name() : "";
        if (name_.size() >= kResNameBufferSize)
            name_.resize(kResNameBufferSize - 1);
    }
}

CIconItem::CIconItem(const char* path) : path_(path ? path : ""), kind_(IconFile) {}

} // namespace quarvel
