// The command line's receiver of listed icons and cursors.
#include "IconCollector.h"

namespace quarvel::cli {

bool ParseKinds(const std::string& value, Kinds& kinds) {
    if (value == "icon")
        kinds = Kinds::Icons;
    else if (value == "cursor")
        kinds = Kinds::Cursors;
    else if (value == "all")
        kinds = Kinds::All;
    else
        return false;
    return true;
}

const char* KindWord(ListedKind kind) {
    switch (kind) {
    case ListedKind::IconGroup:
        return "group";
    case ListedKind::IconFile:
        return "ico";
    case ListedKind::CursorGroup:
        return "cursor";
    case ListedKind::CursorFile:
        return "cur";
    case ListedKind::AnimatedCursor:
        return "ani";
    }
    return "";
}

int IconCollector::AddGroup(ListedKind kind, const char* path, ResKey name,
                            std::uint16_t language) {
    ListedIcon icon;
    icon.source = path;
    icon.kind = kind;
    icon.nameIsId = name.IsId();
    icon.id = name.Id();
    if (!name.IsId())
        icon.name = name.Name();
    icon.language = language;
    icons.push_back(std::move(icon));
    return 1;
}

int IconCollector::AddFile(ListedKind kind, const char* path) {
    ListedIcon icon;
    icon.source = path;
    icon.kind = kind;
    icons.push_back(std::move(icon));
    return 1;
}

int IconCollector::AddGroupIcon(const char* path, ResKey name, std::uint16_t language) {
    return TakesIcons() ? AddGroup(ListedKind::IconGroup, path, name, language) : 0;
}

int IconCollector::AddIconFile(const char* path) {
    return TakesIcons() ? AddFile(ListedKind::IconFile, path) : 0;
}

int IconCollector::AddGroupCursor(const char* path, ResKey name, std::uint16_t language) {
    return AddGroup(ListedKind::CursorGroup, path, name, language);
}

int IconCollector::AddCursorFile(const char* path) {
    return AddFile(ListedKind::CursorFile, path);
}

int IconCollector::AddAnimatedCursorFile(const char* path) {
    return AddFile(ListedKind::AnimatedCursor, path);
}

} // namespace quarvel::cli
