// Proposed file names of icons.
#include "IconNames.h"

#include "engine/IcoWriter.h"
#include "engine/IconItem.h"

namespace quarvel {

CString IconSourceName(const CIconItem& item) {
    if (item.GetKind() == CIconItem::ResourceGroup)
        return CString(MakeDefaultIconName(item.GetListedPath().c_str(), item.GetName()));
    std::string name = FileNameOf(item.GetListedPath().c_str());
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return CString(name);
}

} // namespace quarvel
