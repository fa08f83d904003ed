// Reading icon images into memory from group icons and .ico files.
#include "IconImageSet.h"

#include "GroupIcon.h"
#include "IconImageFinder.h"
#include "PEFile.h"

#include <new>

namespace quarvel {

namespace {

// A set of `count` entries, each filled by fill(index, entry); null when a fill fails or memory
// runs out, so that no caller ever sees a partial set.
template <typename Fill> std::unique_ptr<CIconImageSet> MakeSet(int count, Fill fill) {
    try {
        auto set = std::make_unique<CIconImageSet>();
        set->entries.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            if (!fill(i, set->entries[static_cast<std::size_t>(i)]))
                return nullptr;
        }
        return set;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CopyImage(const ByteView& image, IconSetEntry& entry) {
    entry.image.assign(image.Data(), image.Data() + image.Size());
}

std::unique_ptr<CIconImageSet> ReadDirectoryImages(const IcoDirectory& directory) {
    if (!directory.IsSoundIcon() || directory.TotalImageBytes() > kMaxImageSetBytes)
        return nullptr;
    return MakeSet(directory.Count(), [&](int i, IconSetEntry& entry) {
        static_cast<IcoDirEntry&>(entry) = directory.Entry(i);
        CopyImage(*directory.Image(i), entry);
        return true;
    });
}

} // namespace

std::unique_ptr<CIconImageSet> ReadGroupImages(const CPEFile& file, ResKey name,
                                               std::uint16_t language) {
    if (!file.IsOpen() || !name.IsValid())
        return nullptr;
    const auto group = FindGroupIcon(file, name, language);
    if (!group || group->Count() == 0)
        return nullptr;
    std::uint64_t total = 0;
    for (int i = 0; i < group->Count(); ++i)
        total += group->Entry(i).dwBytesInRes;
    if (total > kMaxImageSetBytes)
        return nullptr;

    IconImageFinder images(file, language);
    return MakeSet(group->Count(), [&](int i, IconSetEntry& entry) {
        const GroupIconEntry from = group->Entry(i);
        static_cast<IconEntryFields&>(entry) = from;
        entry.bReserved = 0;
        const auto imageRef = images.Find(from.nID, true);
        const auto image = imageRef ? imageRef->Bytes() : std::nullopt;
        if (!image || image->Size() != from.dwBytesInRes)
            return false;
        CopyImage(*image, entry);
        return true;
    });
}

std::unique_ptr<CIconImageSet> ReadGroupImages(const char* path, ResKey name,
                                               std::uint16_t language) {
    if (path == nullptr || *path == '\0' || !name.IsValid())
        return nullptr;
    const CPEFile file(path);
    return ReadGroupImages(file, name, language);
}

std::unique_ptr<CIconImageSet> ReadIcoImages(const ByteView& file) {
    const auto directory = IcoDirectory::Parse(file);
    return directory ? ReadDirectoryImages(*directory) : nullptr;
}

std::unique_ptr<CIconImageSet> ReadIcoFileImages(const char* path) {
    const IcoFile file(path);
    return file.Directory() ? ReadDirectoryImages(*file.Directory()) : nullptr;
}

} // namespace quarvel
