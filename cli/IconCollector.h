// Gathers the icons and cursors that ListIconGroups reports for one file, so a command can print
// or save them.
#pragma once

#include "engine/IconGroups.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::cli {

// What a command lists and extracts (--kind): icons only unless asked.
enum class Kinds { Icons, Cursors, All };

// Reads the value of --kind: icon, cursor or all; false for anything else.
bool ParseKinds(const std::string& value, Kinds& kinds);

enum class ListedKind { IconGroup, IconFile, CursorGroup, CursorFile, AnimatedCursor };

// The word a listing prints for the kind: group, ico, cursor, cur or ani.
const char* KindWord(ListedKind kind);

struct ListedIcon {
    std::string source; // the file the icon is read from (a .mun file for moved icons)
    ListedKind kind = ListedKind::IconGroup;
    bool nameIsId = true;
    std::uint16_t id = 0;
    std::string name; // the name text when the group has a string name
    std::uint16_t language = 0;

    bool IsGroup() const {
        return kind == ListedKind::IconGroup || kind == ListedKind::CursorGroup;
    }
    bool IsCursor() const { return kind != ListedKind::IconGroup && kind != ListedKind::IconFile; }
    // The decimal id or the name text.
    std::string NameText() const { return nameIsId ? std::to_string(id) : name; }
    ResKey Key() const { return nameIsId ? ResKey(id) : ResKey(name.c_str()); }
};

class IconCollector : public IconListReceiver {
public:
    explicit IconCollector(Kinds kinds = Kinds::Icons) : kinds_(kinds) {}

    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override;
    int AddIconFile(const char* path) override;
    bool TakesCursors() const override { return kinds_ != Kinds::Icons; }
    int AddGroupCursor(const char* path, ResKey name, std::uint16_t language) override;
    int AddCursorFile(const char* path) override;
    int AddAnimatedCursorFile(const char* path) override;

    std::vector<ListedIcon> icons;

private:
    bool TakesIcons() const { return kinds_ != Kinds::Cursors; }
    int AddGroup(ListedKind kind, const char* path, ResKey name, std::uint16_t language);
    int AddFile(ListedKind kind, const char* path);

    Kinds kinds_;
};

} // namespace quarvel::cli
