// Reading a file list row and its icons as plain data.
#include "ListedFile.h"

#include "FileRowText.h"
#include "engine/IconIdentity.h"

#include <algorithm>

using namespace quarvel;

bool ReadFileEntry(const char* path, FileEntry& entry) {
    FileRowPath parts;
    if (!SplitRowPath(path, parts))
        return false;
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(JoinRowPath(parts.folder, parts.name), GetFileExInfoStandard,
                              &attributes))
        return false;
    entry.folder = parts.folder;
    entry.name = parts.name;
    entry.isFolder = (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = entry.isFolder
                     ? CString()
                     : SizeText((static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) |
                                attributes.nFileSizeLow);
    entry.date = DateText(attributes.ftLastWriteTime);
    return true;
}

void RecordedIcons::Record(Kind kind, const char* path, const char* sourcePath, ResKey name,
                           std::uint16_t language) {
    m_icons.push_back(Icon{kind, path ? path : "", sourcePath ? sourcePath : "", name.IsId(),
                           name.Id(), name.IsId() ? "" : name.Name(), language});
}

int RecordedIcons::AddGroupIcon(const char* path, ResKey name, std::uint16_t language) {
    Record(Kind::Group, path, nullptr, name, language);
    return 1;
}

int RecordedIcons::AddIconFile(const char* path) {
    Record(Kind::IconFile, path, nullptr, ResKey(), 0);
    return 1;
}

int RecordedIcons::AddMovedGroupIcon(const char* listedPath, const char* sourcePath, ResKey name,
                                     std::uint16_t language) {
    Record(Kind::Moved, listedPath, sourcePath, name, language);
    return 1;
}

int RecordedIcons::AddGroupCursor(const char* path, ResKey name, std::uint16_t language) {
    Record(Kind::CursorGroup, path, nullptr, name, language);
    return 1;
}

int RecordedIcons::AddCursorFile(const char* path) {
    Record(Kind::CursorFile, path, nullptr, ResKey(), 0);
    return 1;
}

int RecordedIcons::AddAnimatedCursorFile(const char* path) {
    Record(Kind::AnimatedCursorFile, path, nullptr, ResKey(), 0);
    return 1;
}

int RecordedIcons::CursorCount() const {
    return static_cast<int>(std::count_if(m_icons.begin(), m_icons.end(), [](const Icon& icon) {
        return icon.kind == Kind::CursorGroup || icon.kind == Kind::CursorFile ||
               icon.kind == Kind::AnimatedCursorFile;
    }));
}

void RecordedIcons::HandTo(IconListReceiver& receiver) const {
    for (const Icon& icon : m_icons)
        Hand(icon, receiver);
}

std::size_t RecordedIcons::HandFirstTo(IconListReceiver& receiver, std::size_t most) {
    const std::size_t count = std::min(most, m_icons.size());
    for (std::size_t i = 0; i < count; ++i)
        Hand(m_icons[i], receiver);
    m_icons.erase(m_icons.begin(), m_icons.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

void RecordedIcons::Hand(const Icon& icon, IconListReceiver& receiver) {
    const ResKey name = icon.nameIsId ? ResKey(icon.id) : ResKey(icon.name.c_str());
    int taken = 0;
    switch (icon.kind) {
    case Kind::Group:
        taken = receiver.AddGroupIcon(icon.path.c_str(), name, icon.language);
        break;
    case Kind::IconFile:
        taken = receiver.AddIconFile(icon.path.c_str());
        break;
    case Kind::Moved:
        taken = receiver.AddMovedGroupIcon(icon.path.c_str(), icon.sourcePath.c_str(), name,
                                           icon.language);
        break;
    case Kind::CursorGroup:
        if (receiver.TakesCursors())
            taken = receiver.AddGroupCursor(icon.path.c_str(), name, icon.language);
        break;
    case Kind::CursorFile:
        if (receiver.TakesCursors())
            taken = receiver.AddCursorFile(icon.path.c_str());
        break;
    case Kind::AnimatedCursorFile:
        if (receiver.TakesCursors())
            taken = receiver.AddAnimatedCursorFile(icon.path.c_str());
        break;
    }
    if (taken && icon.described)
        receiver.DescribeLastIcon(icon.facts, icon.firstOf);
}

FileIcons ReadFileIcons(const char* path, bool listIcons, RowIconRule& rule,
                        UniqueIcons* identities) {
    FileIcons result;
    FirstIconRecorder listed(&result.icons);
    // An image file is described and gets its row icon while the listing holds it open.
    bool rowIconChosen = false;
    const auto whileOpen = [&](const CPEFile& file) {
        if (identities)
            result.icons.Describe(*identities, &file);
        result.rowIcon = rule.Choose(path, listed, &file);
        rowIconChosen = true;
    };
    const int listedCount = listIcons ? ListIconGroups(path, &listed, whileOpen) : 0;
    if (identities)
        result.icons.Describe(*identities); // icon and cursor files, listed by name
    result.cursors = result.icons.CursorCount();
    result.count = listedCount - result.cursors;
    if (!rowIconChosen)
        result.rowIcon = rule.Choose(path, listed);
    return result;
}
