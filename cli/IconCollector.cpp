// The command line's receiver of listed icons.
#include "IconCollector.h"

namespace quarvel::cli {

int IconCollector::AddGroupIcon(const char* path, ResKey name, std::uint16_t language) {
    ListedIcon icon;
    icon.source = path;
    icon.nameIsId = name.IsId();
    icon.id = name.Id();
    if (!name.IsId())
        icon.name = name.Name();
    icon.language = language;
    icons.push_back(std::move(icon));
    return 1;
}

int IconCollector::AddIconFile(const char* path) {
    ListedIcon icon;
    icon.source = path;
    icon.isIconFile = true;
    icons.push_back(std::move(icon));
    return 1;
}

} // namespace quarvel::cli
