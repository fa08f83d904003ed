// Reading icon images into memory from group icons and .ico files.
#include "IconImageSet.h"

#include "GroupIcon.h"
#include "IconImageFinder.h"
#include "PEFile.h"
#include "platform/FileSystem.h"

#include <cstring>
#include <new>

namespace quarvel {

namespace {

std::unique_ptr<std::uint8_t[]> CopyBytes(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<std::uint8_t[]> copy(new (std::nothrow) std::uint8_t[size == 0 ? 1 : size]);
    if (copy && size != 0)
        std::memcpy(copy.get(), data, size);
    return copy;
}

CIconImageSet* NewSet(int count) {
    auto* set = new (std::nothrow) CIconImageSet;
    if (set == nullptr)
        return nullptr;
    try {
        set->entries.resize(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        delete set;
        return nullptr;
    }
    set->count = count;
    return set;
}

} // namespace

CIconImageSet* ReadGroupImages(const CPEFile& file, ResKey name, std::uint16_t language) {
    if (!file.IsOpen() || !name.IsValid())
        return nullptr;
    const auto groupRef = file.FindResourceLang(kResTypeGroupIcon, name, language);
    const auto groupBytes = groupRef ? groupRef->Bytes() : std::nullopt;
    const auto group = groupBytes ? GroupIcon::Parse(*groupBytes) : std::nullopt;
    if (!group || group->Count() == 0)
        return nullptr;
    std::uint64_t total = 0;
    for (int i = 0; i < group->Count(); ++i)
        total += group->Entry(i).dwBytesInRes;
    if (total > kMaxImageSetBytes)
        return nullptr;

    CIconImageSet* set = NewSet(group->Count());
    if (set == nullptr)
        return nullptr;
    for (int i = 0; i < group->Count(); ++i) {
        const GroupIconEntry from = group->Entry(i);
        IconSetEntry& to = set->entries[static_cast<std::size_t>(i)];
        to.bWidth = from.bWidth;
        to.bHeight = from.bHeight;
        to.bColorCount = from.bColorCount;
        to.wPlanes = from.wPlanes;
        to.wBitCount = from.wBitCount;
        to.dwBytesInRes = from.dwBytesInRes;
    }
    IconImageFinder images(file, language);
    for (int i = 0; i < group->Count(); ++i) {
        IconSetEntry& entry = set->entries[static_cast<std::size_t>(i)];
        const auto imageRef = images.Find(group->Entry(i).nID, true);
        const auto image = imageRef ? imageRef->Bytes() : std::nullopt;
        if (!image || image->Size() != entry.dwBytesInRes ||
            !(entry.image = CopyBytes(image->Data(), image->Size()))) {
            FreeImageSet(set);
            return nullptr;
        }
    }
    return set;
}

CIconImageSet* ReadGroupImages(const char* path, ResKey name, std::uint16_t language) {
    if (path == nullptr || *path == '\0' || !name.IsValid())
        return nullptr;
    CPEFile file(path);
    CIconImageSet* set = ReadGroupImages(file, name, language);
    file.Close();
    return set;
}

CIconImageSet* ReadIcoImages(const ByteView& file) {
    std::uint16_t reserved = 0, type = 0, count = 0;
    if (!file.U16(0, reserved) || !file.U16(2, type) || !file.U16(4, count) || reserved != 0 ||
        type != 1 || count == 0 || !file.Readable(0, kIconHeaderSize + kIcoEntrySize * count))
        return nullptr;
    std::uint64_t total = 0;
    for (int i = 0; i < count; ++i)
        total += file.U32At(kIconHeaderSize + kIcoEntrySize * i + 8);
    if (total > kMaxImageSetBytes)
        return nullptr;

    CIconImageSet* set = NewSet(count);
    if (set == nullptr)
        return nullptr;
    for (int i = 0; i < count; ++i) {
        const std::size_t at = kIconHeaderSize + kIcoEntrySize * static_cast<std::size_t>(i);
        const std::uint8_t* raw = file.Data() + at;
        IconSetEntry& entry = set->entries[static_cast<std::size_t>(i)];
        entry.bWidth = raw[0];
        entry.bHeight = raw[1];
        entry.bColorCount = raw[2];
        entry.bReserved = raw[3];
        entry.wPlanes = file.U16At(at + 4);
        entry.wBitCount = file.U16At(at + 6);
        entry.dwBytesInRes = file.U32At(at + 8);
        entry.dwImageOffset = file.U32At(at + 12);
        // Offset and size are added in 64 bits: an end past 2^32 is past the end of the file.
        const auto image = file.Slice(entry.dwImageOffset, entry.dwBytesInRes);
        if (!image || !(entry.image = CopyBytes(image->Data(), image->Size()))) {
            FreeImageSet(set);
            return nullptr;
        }
    }
    return set;
}

CIconImageSet* ReadIcoFileImages(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (path == nullptr || *path == '\0' || !platform::ReadWholeFile(path, bytes) ||
        bytes.size() < 6)
        return nullptr;
    return ReadIcoImages(ByteView(bytes.data(), bytes.size()));
}

void FreeImageSet(CIconImageSet* set) {
    delete set;
}

} // namespace quarvel
