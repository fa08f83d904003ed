// Reading icon images into memory from group icons and .ico files.
#include "IconImageSet.h"

#include "GroupIcon.h"
#include "IconImageFinder.h"
#include "PEFile.h"

#include <new>

namespace quarvel {

namespace {

void CopyImage(const ByteView& image, IconSetEntry& entry) {
    entry.image.assign(image.Data(), image.Data() + image.Size());
}

std::unique_ptr<CIconImageSet> ReadDirectoryImages(const IcoDirectory& directory,
                                                   std::uint16_t type) {
    if (!directory.IsSound(type) || directory.TotalImageBytes() > kMaxImageSetBytes)
        return nullptr;
    auto set = MakeImageSet(directory.Count(), [&](int i, IconSetEntry& entry) {
        static_cast<IcoDirEntry&>(entry) = directory.Entry(i);
        CopyImage(*directory.Image(i), entry);
        return true;
    });
    if (set)
        set->type = type;
    return set;
}

std::unique_ptr<CIconImageSet> ReadFileImages(const char* path, std::uint16_t type) {
    const IcoFile file(path);
    return file.Directory() ? ReadDirectoryImages(*file.Directory(), type) : nullptr;
}

std::unique_ptr<CIconImageSet> ReadMemoryImages(const ByteView& file, std::uint16_t type) {
    const auto directory = IcoDirectory::Parse(file);
    return directory ? ReadDirectoryImages(*directory, type) : nullptr;
}

} // namespace

std::vector<int> AllEntries(const CIconImageSet& set) {
    std::vector<int> all(set.entries.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    return all;
}

bool FindGroupImageSpans(const CPEFile& file, ResKey name, std::uint16_t language,
                         IconImageSpans& spans) {
    IconImageFinder images(file, language);
    return FindGroupImageSpans(file, images, name, language, spans);
}

bool FindGroupImageSpans(const CPEFile& file, IconImageFinder& images, ResKey name,
                         std::uint16_t language, IconImageSpans& spans) {
    spans.type = kIconType;
    spans.images.clear();
    if (!file.IsOpen() || !name.IsValid())
        return false;
    const auto group = FindGroupIcon(file, name, language);
    if (!group || group->Count() == 0)
        return false;
    std::uint64_t total = 0;
    for (int i = 0; i < group->Count(); ++i)
        total += group->Entry(i).dwBytesInRes;
    if (total > kMaxImageSetBytes)
        return false;

    for (int i = 0; i < group->Count(); ++i) {
        const GroupIconEntry from = group->Entry(i);
        const auto imageRef = images.FindPreferring(from.nID, language);
        const auto image = imageRef ? imageRef->Bytes() : std::nullopt;
        if (!image || image->Size() != from.dwBytesInRes) {
            spans.images.clear();
            return false;
        }
        ImageSpan span{from, *image};
        span.fields.bReserved = 0;
        spans.images.push_back(span);
    }
    return true;
}

std::unique_ptr<CIconImageSet> ReadGroupImages(const CPEFile& file, ResKey name,
                                               std::uint16_t language) {
    IconImageSpans spans;
    return FindGroupImageSpans(file, name, language, spans) ? CopyImages(spans) : nullptr;
}

std::unique_ptr<CIconImageSet> ReadGroupImages(const char* path, ResKey name,
                                               std::uint16_t language) {
    if (path == nullptr || *path == '\0' || !name.IsValid())
        return nullptr;
    const CPEFile file(path);
    return ReadGroupImages(file, name, language);
}

std::unique_ptr<CIconImageSet> ReadIcoImages(const ByteView& file) {
    return ReadMemoryImages(file, kIconType);
}

std::unique_ptr<CIconImageSet> ReadIcoFileImages(const char* path) {
    return ReadFileImages(path, kIconType);
}

std::unique_ptr<CIconImageSet> ReadCurImages(const ByteView& file) {
    return ReadMemoryImages(file, kCursorType);
}

std::unique_ptr<CIconImageSet> ReadCurFileImages(const char* path) {
    return ReadFileImages(path, kCursorType);
}

std::unique_ptr<CIconImageSet> ReadIcoOrCurImages(const ByteView& file) {
    std::uint16_t type = 0;
    return file.U16(2, type) && type == kCursorType ? ReadCurImages(file) : ReadIcoImages(file);
}

} // namespace quarvel
