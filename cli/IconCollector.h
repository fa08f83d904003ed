// Gathers the icons that ListIconGroups reports for one file, so a command can print or save them.
#pragma once

#include "engine/IconGroups.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::cli {

struct ListedIcon {
    std::string source; // the file the icon is read from (a .mun file for moved icons)
    bool isIconFile = false;
    bool nameIsId = true;
    std::uint16_t id = 0;
    std::string name; // the name text when the group has a string name
    std::uint16_t language = 0;

    // The decimal id or the name text.
    std::string NameText() const { return nameIsId ? std::to_string(id) : name; }
    ResKey Key() const { return nameIsId ? ResKey(id) : ResKey(name.c_str()); }
};

class IconCollector : public IconListReceiver {
public:
    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override;
    int AddIconFile(const char* path) override;

    std::vector<ListedIcon> icons;
};

} // namespace quarvel::cli
