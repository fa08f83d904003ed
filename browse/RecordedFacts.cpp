// Reading the images of recorded icons, on the fill worker, for the icon list's filter, sort
// and duplicates.
#include "ListedFile.h"

#include "engine/CursorImages.h"
#include "engine/GroupCursor.h"
#include "engine/IconIdentity.h"
#include "engine/IconItem.h"
#include "engine/IconImageSet.h"
#include "engine/PEFile.h"

using namespace quarvel;

std::unique_ptr<CIconImageSet> RecordedIcons::ReadIdentityImages(const Icon& icon,
                                                                 const CPEFile* file) {
    const ResKey name = icon.nameIsId ? ResKey(icon.id) : ResKey(icon.name.c_str());
    switch (icon.kind) {
    case Kind::Group:
        return file ? ReadGroupImages(*file, name, icon.language) : nullptr;
    case Kind::Moved:
        return ReadGroupImages(icon.sourcePath.c_str(), name, icon.language);
    case Kind::IconFile:
        return ReadIcoFileImages(icon.path.c_str());
    case Kind::CursorGroup:
        return file ? ReadGroupCursorImages(*file, name, icon.language) : nullptr;
    case Kind::CursorFile:
        return ReadCurFileImages(icon.path.c_str());
    case Kind::AnimatedCursorFile:
        break;
    }
    return ReadAnimatedCursorIdentity(icon.path.c_str());
}

void RecordedIcons::Describe(UniqueIcons& identities) {
    std::unique_ptr<CPEFile> file; // the image file of the groups, opened once
    std::string filePath;
    for (Icon& icon : m_icons) {
        if (icon.described)
            continue;
        const bool group = icon.kind == Kind::Group || icon.kind == Kind::CursorGroup;
        if (group && (!file || filePath != icon.path)) {
            file = std::make_unique<CPEFile>(icon.path.c_str());
            filePath = icon.path;
        }
        std::unique_ptr<CIconImageSet> set =
            ReadIdentityImages(icon, group && file->IsOpen() ? file.get() : nullptr);
        if (icon.kind == Kind::AnimatedCursorFile) {
            // Its facts are those of its frames.
            const auto frames =
                ReadCursorImages(CIconItem(icon.path.c_str(), CIconItem::AnimatedCursorFile));
            if (frames)
                SetImageFacts(*frames, icon.facts);
        } else if (set) {
            SetImageFacts(*set, icon.facts);
        }
        icon.facts.isCursor = icon.kind == Kind::CursorGroup || icon.kind == Kind::CursorFile ||
                              icon.kind == Kind::AnimatedCursorFile;
        icon.firstOf = identities.Add(std::move(set));
        icon.described = true;
    }
}

void RecordedIcons::DescribeLastIcon(const IconFacts& facts, int firstOf) {
    if (m_icons.empty())
        return;
    Icon& icon = m_icons.back();
    icon.facts = facts;
    icon.firstOf = firstOf;
    icon.described = true;
}
