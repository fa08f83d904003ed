// Making icon location strings.
#include "IconLocation.h"

#include "IconItem.h"
#include "PEFile.h"

#include <cstring>

namespace quarvel {

std::optional<int> GroupIconPosition(const CPEFile& file, ResKey name) {
    if (!name.IsValid())
        return std::nullopt;
    const ResKey type(kResTypeGroupIcon);
    const ResPos typeDirectory = file.FindDirectory(&type, 1);
    CResDirIterator entry(file.View(), typeDirectory, file.ResourceRoot());
    for (int position = 0; entry.Next(); ++position) {
        if (name.IsId()) {
            if (!entry.IsNamed() && entry.GetId() == name.Id())
                return position;
            continue;
        }
        char text[kResNameBufferSize] = {};
        // The names were listed in the program's narrow text: they are compared in it.
        if (entry.IsNamed() && entry.GetNameA(text, sizeof text) &&
            std::strcmp(text, name.Name()) == 0)
            return position;
    }
    return std::nullopt;
}

std::optional<std::string> IconLocation(const CIconItem& item) {
    const std::string& path = item.GetListedPath();
    // A cursor file is named by its path; a group cursor has no location, as nothing that takes
    // "path,-ID" reads cursors.
    if (item.GetKind() == CIconItem::CursorGroup)
        return std::nullopt;
    if (!item.IsGroup())
        return path;
    if (item.NameIsId())
        return path + ",-" + std::to_string(item.GetId());
    const CPEFile file(item.GetPath().c_str());
    const auto position = GroupIconPosition(file, item.GetName());
    if (!position)
        return std::nullopt;
    return path + "," + std::to_string(*position);
}

} // namespace quarvel
