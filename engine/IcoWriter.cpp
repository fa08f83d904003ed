// The .ico writers: both build the whole file in memory, then write it through a temporary
// file so that a failure leaves neither a partial file nor a damaged earlier one.
#include "IcoWriter.h"

#include "GroupIcon.h"
#include "IconImage.h"
#include "IconImageFinder.h"
#include "PEFile.h"
#include "platform/FileSystem.h"

#include <cstring>
#include <vector>

namespace quarvel {

namespace {

constexpr std::uint32_t kMinImageBytes = 40; // a bitmap header at least

std::uint8_t ColorCountFor(std::uint16_t planes, std::uint16_t bitCount) {
    const std::uint32_t bits = std::uint32_t{planes} * bitCount;
    return bits < 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
}

bool WriteAll(const char* path, const std::vector<std::uint8_t>& bytes, bool overwrite) {
    platform::AtomicFileWriter writer;
    return writer.Create(path, overwrite) && writer.Write(bytes.data(), bytes.size()) &&
           writer.Commit();
}

void AppendImage(std::vector<std::uint8_t>& out, const std::uint8_t* image, std::size_t size) {
    const std::size_t at = out.size();
    out.insert(out.end(), image, image + size);
    ClearBitmapSizeImage(out.data() + at, size);
}

} // namespace

int WriteIcoFile(const char* path, CIconImageSet* set) {
    if (path == nullptr || *path == '\0' || set == nullptr || set->count <= 0 ||
        static_cast<std::size_t>(set->count) > set->entries.size() || set->count > 0xFFFF)
        return 0;
    const std::size_t count = static_cast<std::size_t>(set->count);
    std::uint64_t offset = kIconHeaderSize + kIcoEntrySize * count;
    for (std::size_t i = 0; i < count; ++i) {
        if (!set->entries[i].image)
            return 0;
        offset += set->entries[i].dwBytesInRes;
    }
    if (offset > 0xFFFFFFFFu)
        return 0;

    std::vector<std::uint8_t> out;
    try {
        out.reserve(static_cast<std::size_t>(offset));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    out.resize(kIconHeaderSize + kIcoEntrySize * count);
    StoreU16(&out[2], 1);
    StoreU16(&out[4], static_cast<std::uint16_t>(count));
    std::uint32_t imageOffset = static_cast<std::uint32_t>(out.size());
    for (std::size_t i = 0; i < count; ++i) {
        IconSetEntry& e = set->entries[i];
        e.dwImageOffset = imageOffset;
        e.bColorCount = ColorCountFor(e.wPlanes, e.wBitCount);
        e.bReserved = 0;
        std::uint8_t* raw = &out[kIconHeaderSize + kIcoEntrySize * i];
        raw[0] = e.bWidth;
        raw[1] = e.bHeight;
        raw[2] = e.bColorCount;
        raw[3] = e.bReserved;
        StoreU16(raw + 4, e.wPlanes);
        StoreU16(raw + 6, e.wBitCount);
        StoreU32(raw + 8, e.dwBytesInRes);
        StoreU32(raw + 12, e.dwImageOffset);
        imageOffset += e.dwBytesInRes;
    }
    for (std::size_t i = 0; i < count; ++i) {
        IconSetEntry& e = set->entries[i];
        ClearBitmapSizeImage(e.image.get(), e.dwBytesInRes);
        out.insert(out.end(), e.image.get(), e.image.get() + e.dwBytesInRes);
    }
    return WriteAll(path, out, true) ? 1 : 0;
}

int CPEFile::SaveGroupAsIco(ResKey name, std::uint16_t language, const char* path,
                            bool overwrite) const {
    if (path == nullptr || *path == '\0')
        return 0;
    const auto groupRef = FindResourceLang(kResTypeGroupIcon, name, language);
    const auto groupBytes = groupRef ? groupRef->Bytes() : std::nullopt;
    const auto group = groupBytes ? GroupIcon::Parse(*groupBytes) : std::nullopt;
    if (!group)
        return 0;

    // Find every image before writing anything.
    const int count = group->Count();
    std::vector<ByteView> images;
    images.reserve(static_cast<std::size_t>(count));
    std::uint64_t total = kIconHeaderSize + kIcoEntrySize * static_cast<std::uint64_t>(count);
    IconImageFinder finder(*this, language);
    for (int i = 0; i < count; ++i) {
        const GroupIconEntry entry = group->Entry(i);
        const auto imageRef = finder.Find(entry.nID, false);
        // The length is the group's dwBytesInRes, which is what the directory written says.
        const auto image = imageRef ? imageRef->BytesOfLength(entry.dwBytesInRes) : std::nullopt;
        if (!image || entry.dwBytesInRes < kMinImageBytes)
            return 0;
        images.push_back(*image);
        total += entry.dwBytesInRes;
    }
    if (total > kMaxImageSetBytes)
        return 0;

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(total));
    out.insert(out.end(), group->HeaderBytes(), group->HeaderBytes() + kIconHeaderSize);
    std::uint32_t offset = static_cast<std::uint32_t>(kIconHeaderSize + kIcoEntrySize * count);
    for (int i = 0; i < count; ++i) {
        out.insert(out.end(), group->EntryBytes(i), group->EntryBytes(i) + 12);
        out.resize(out.size() + 4);
        StoreU32(&out[out.size() - 4], offset);
        offset += group->Entry(i).dwBytesInRes;
    }
    for (const ByteView& image : images)
        AppendImage(out, image.Data(), image.Size());
    return WriteAll(path, out, overwrite) ? 1 : 0;
}

std::string FileNameOf(const char* path) {
    if (path == nullptr)
        return std::string();
    const char* slash = std::strrchr(path, '\\');
    const char* forward = std::strrchr(path, '/');
    if (forward != nullptr && (slash == nullptr || forward > slash))
        slash = forward;
    return slash == nullptr || slash == path ? std::string(path) : std::string(slash + 1);
}

std::string MakeDefaultIconName(const char* path, ResKey name) {
    std::string result = FileNameOf(path) + "#";
    if (name.IsId()) {
        result += std::to_string(name.Id());
        return result;
    }
    // The name comes from the file: a separator, a drive or stream colon, or another character
    // that no file name may hold becomes '_', so that "A\..\..\x" names one file inside the
    // folder it is saved to instead of a path out of it.
    for (const char* c = name.Name(); *c != '\0'; ++c) {
        const bool unsafe = static_cast<unsigned char>(*c) < 0x20 || std::strchr("\\/:*?\"<>|", *c);
        result += unsafe ? '_' : *c;
    }
    return result;
}

} // namespace quarvel
