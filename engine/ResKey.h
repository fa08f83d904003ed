// A resource type or name: an integer id 1..65535, or an ANSI name compared ignoring case.
#pragma once

#include <cstdint>

namespace quarvel {

class ResKey {
public:
    ResKey() = default;
    // An id; 0 makes an invalid key, for which every lookup finds nothing.
    ResKey(int id) : id_(id > 0 && id <= 0xFFFF ? static_cast<std::uint16_t>(id) : 0) {}
    // A name; the text is not copied and must outlive the key. Null makes an invalid key.
    ResKey(const char* name) : name_(name) {}

    bool IsValid() const { return id_ != 0 || name_ != nullptr; }
    bool IsId() const { return name_ == nullptr; }
    std::uint16_t Id() const { return id_; }
    const char* Name() const { return name_; }

private:
    std::uint16_t id_ = 0;
    const char* name_ = nullptr;
};

// Resource types the program reads.
constexpr int kResTypeCursor = 1;       // RT_CURSOR: one cursor image, led by its hot spot
constexpr int kResTypeIcon = 3;         // RT_ICON: one icon image
constexpr int kResTypeGroupCursor = 12; // RT_GROUP_CURSOR: the directory of a cursor's images
constexpr int kResTypeGroupIcon = 14;   // RT_GROUP_ICON: the directory of an icon's images

} // namespace quarvel
