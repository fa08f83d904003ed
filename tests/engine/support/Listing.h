// A receiver that records listed icons as "name/language" strings, for comparisons.
#pragma once

#include "engine/IconGroups.h"

#include <string>
#include <vector>

namespace quarvel::test {

class ListingRecorder : public IconListReceiver {
public:
    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override {
        paths.push_back(path);
        items.push_back((name.IsId() ? std::to_string(name.Id()) : std::string(name.Name())) + "/" +
                        std::to_string(language));
        return accept;
    }
    int AddIconFile(const char* path) override {
        paths.push_back(path);
        items.push_back("ico");
        return accept;
    }

    int accept = 1;
    std::vector<std::string> paths;
    std::vector<std::string> items;
};

} // namespace quarvel::test
