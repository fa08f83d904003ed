// Reading the images of recorded icons, on the fill worker, for the icon list's filter, sort
// and duplicates.
#include "ListedFile.h"

#include "engine/CursorImages.h"
#include "engine/GroupCursor.h"
#include "engine/IconIdentity.h"
#include "engine/IconImageFinder.h"
#include "engine/IconItem.h"
#include "engine/IconImageSet.h"
#include "engine/ImageBytesReader.h"
#include "engine/PEFile.h"

#include <optional>

using namespace quarvel;

bool RecordedIcons::FindGroupSpans(const Icon& icon, const CPEFile& file, IconImageFinder& images,
                                   IconImageSpans& spans) {
    // The worker's thread reuses one buffer for the images of every file it describes.
    thread_local ImageBytesReader reader;
    const ResKey name = icon.nameIsId ? ResKey(icon.id) : ResKey(icon.name.c_str());
    const bool found = icon.kind == Kind::CursorGroup
                           ? FindGroupCursorSpans(file, images, name, icon.language, spans)
                           : FindGroupImageSpans(file, images, name, icon.language, spans);
    return found && reader.Read(file, spans);
}

std::unique_ptr<CIconImageSet> RecordedIcons::ReadFileImages(const Icon& icon) {
    switch (icon.kind) {
    case Kind::Moved:
        return ReadGroupImages(icon.sourcePath.c_str(),
                               icon.nameIsId ? ResKey(icon.id) : ResKey(icon.name.c_str()),
                               icon.language);
    case Kind::IconFile:
        return ReadIcoFileImages(icon.path.c_str());
    case Kind::CursorFile:
        return ReadCurFileImages(icon.path.c_str());
    default:
        return ReadAnimatedCursorIdentity(icon.path.c_str());
    }
}

void RecordedIcons::Describe(UniqueIcons& identities, const CPEFile* open) {
    std::unique_ptr<CPEFile> opened; // an image file of the groups other than `open`, opened once
    std::string openedPath;
    // The icon and cursor images of `indexed`, indexed once for all its groups.
    const CPEFile* indexed = nullptr;
    std::optional<IconImageFinder> iconImages, cursorImages;
    IconImageSpans images; // read from the file, copied only when the first of their kind
    for (Icon& icon : m_icons) {
        if (icon.described)
            continue;
        if (icon.kind == Kind::Group || icon.kind == Kind::CursorGroup) {
            const CPEFile* file = open;
            if (!open || open->GetFileName() != icon.path) {
                if (!opened || openedPath != icon.path) {
                    iconImages.reset(); // before the file they index goes
                    cursorImages.reset();
                    indexed = nullptr;
                    opened = std::make_unique<CPEFile>(icon.path.c_str());
                    openedPath = icon.path;
                }
                file = opened.get();
            }
            if (file != indexed) {
                iconImages.reset();
                cursorImages.reset();
                indexed = file;
            }
            const bool cursor = icon.kind == Kind::CursorGroup;
            std::optional<IconImageFinder>& index = cursor ? cursorImages : iconImages;
            if (!index)
                index.emplace(*file, icon.language, cursor ? kResTypeCursor : kResTypeIcon);
            const bool read = FindGroupSpans(icon, *file, *index, images);
            if (read)
                SetImageFacts(images, icon.facts);
            icon.firstOf = identities.AddImages(read ? &images : nullptr);
        } else {
            std::unique_ptr<CIconImageSet> set = ReadFileImages(icon);
            if (icon.kind == Kind::AnimatedCursorFile) {
                // Its facts are those of its frames.
                const auto frames =
                    ReadCursorImages(CIconItem(icon.path.c_str(), CIconItem::AnimatedCursorFile));
                if (frames)
                    SetImageFacts(*frames, icon.facts);
            } else if (set) {
                SetImageFacts(*set, icon.facts);
            }
            icon.firstOf = identities.Add(std::move(set));
        }
        icon.facts.isCursor = icon.kind == Kind::CursorGroup || icon.kind == Kind::CursorFile ||
                              icon.kind == Kind::AnimatedCursorFile;
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
