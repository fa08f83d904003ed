// The .ico writers: both lay the whole file out in memory with one builder, then write it through
// a temporary file so that a failure leaves neither a partial file nor a damaged earlier one.
#include "IcoWriter.h"

#include "GroupIcon.h"
#include "IconImage.h"
#include "IconImageFinder.h"
#include "PEFile.h"
#include "platform/FileSystem.h"

#include <cstring>
#include <new>
#include <optional>
#include <vector>

namespace quarvel {

namespace {

constexpr std::uint32_t kMinImageBytes = 40; // a bitmap header at least

// One image of a file to build: how its directory entry describes it, and its bytes.
struct IcoPart {
    IconEntryFields entry;
    ByteView image;
};

std::uint8_t ColorCountFor(std::uint16_t planes, std::uint16_t bitCount) {
    const std::uint32_t bits = std::uint32_t{planes} * bitCount;
    return bits < 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
}

// A cursor entry's planes and bit count hold its hot spot: the colours are its bitmap's.
std::uint8_t CursorColorCount(const ByteView& image) {
    const int bits = HasBitmapHeader(image) ? ImageBitCount(image).value_or(0) : 0;
    return bits > 0 && bits < 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
}

// Lays out an .ico file: the header, one entry per part with the images' offsets back to back,
// then the images with biSizeImage (and with cursorImages, the resolution) cleared in bitmaps.
// The header's type is written as given: an icon group's own type field, whatever it says, does
// not make its images cursor images. Nothing when a part's image is not as long as its entry says,
// the file would not fit the format's 16-bit count and 32-bit offsets, or memory runs out.
std::optional<std::vector<std::uint8_t>> BuildIcoFile(std::uint16_t reserved, std::uint16_t type,
                                                      const std::vector<IcoPart>& parts,
                                                      bool cursorImages) {
    if (parts.size() > 0xFFFF)
        return std::nullopt;
    const std::size_t directorySize = kIconHeaderSize + kIcoEntrySize * parts.size();
    std::uint64_t fileSize = directorySize;
    for (const IcoPart& part : parts) {
        if (part.image.Size() != part.entry.dwBytesInRes)
            return std::nullopt;
        fileSize += part.entry.dwBytesInRes;
    }
    if (fileSize > 0xFFFFFFFFu)
        return std::nullopt;
    try {
        std::vector<std::uint8_t> out;
        out.reserve(static_cast<std::size_t>(fileSize));
        out.resize(directorySize);
        StoreU16(&out[0], reserved);
        StoreU16(&out[2], type);
        StoreU16(&out[4], static_cast<std::uint16_t>(parts.size()));
        std::uint32_t offset = static_cast<std::uint32_t>(directorySize);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const IconEntryFields& e = parts[i].entry;
            std::uint8_t* raw = &out[kIconHeaderSize + kIcoEntrySize * i];
            raw[0] = e.bWidth;
            raw[1] = e.bHeight;
            raw[2] = e.bColorCount;
            raw[3] = e.bReserved;
            StoreU16(raw + 4, e.wPlanes);
            StoreU16(raw + 6, e.wBitCount);
            StoreU32(raw + 8, e.dwBytesInRes);
            StoreU32(raw + 12, offset);
            offset += e.dwBytesInRes;
        }
        for (const IcoPart& part : parts) {
            const std::size_t at = out.size();
            out.insert(out.end(), part.image.Data(), part.image.Data() + part.image.Size());
            ClearBitmapSizeImage(out.data() + at, part.image.Size());
            if (cursorImages)
                ClearBitmapResolution(out.data() + at, part.image.Size());
        }
        return out;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool WriteAll(const char* path, const std::vector<std::uint8_t>& bytes, bool overwrite) {
    platform::AtomicFileWriter writer;
    return writer.Create(path, overwrite) && writer.Write(bytes.data(), bytes.size()) &&
           writer.Commit();
}

} // namespace

std::optional<std::vector<std::uint8_t>> IcoFileBytes(const CIconImageSet& set,
                                                      const std::vector<int>& selection) {
    if (selection.empty())
        return std::nullopt;
    std::vector<IcoPart> parts;
    parts.reserve(selection.size());
    for (const int index : selection) {
        if (index < 0 || index >= set.Count())
            return std::nullopt;
        const IconSetEntry& from = set.entries[static_cast<std::size_t>(index)];
        IcoPart part{from, ByteView(from.image.data(), from.image.size())};
        part.entry.bColorCount = set.type == kCursorType
                                     ? CursorColorCount(part.image)
                                     : ColorCountFor(from.wPlanes, from.wBitCount);
        part.entry.bReserved = 0;
        parts.push_back(part);
    }
    return BuildIcoFile(0, set.type, parts, set.type == kCursorType);
}

bool WriteIcoFile(const char* path, const CIconImageSet& set, const std::vector<int>& selection,
                  bool overwrite) {
    if (path == nullptr || *path == '\0')
        return false;
    const auto bytes = IcoFileBytes(set, selection);
    return bytes && WriteAll(path, *bytes, overwrite);
}

bool WriteIcoFile(const char* path, const CIconImageSet& set) {
    return WriteIcoFile(path, set, AllEntries(set));
}

std::optional<std::vector<std::uint8_t>> GroupIcoFileBytes(const CPEFile& file, ResKey name,
                                                           std::uint16_t language) {
    const auto group = FindGroupIcon(file, name, language);
    if (!group)
        return std::nullopt;

    // Find every image before laying anything out.
    std::vector<IcoPart> parts;
    parts.reserve(group->Count());
    std::uint64_t total = kIconHeaderSize + kIcoEntrySize * std::uint64_t{group->Count()};
    IconImageFinder finder(file, language);
    for (int i = 0; i < group->Count(); ++i) {
        const GroupIconEntry entry = group->Entry(i);
        const auto imageRef = finder.Find(entry.nID, false);
        // The length is the group's dwBytesInRes, which is what the directory written says.
        const auto image = imageRef ? imageRef->BytesOfLength(entry.dwBytesInRes) : std::nullopt;
        if (!image || entry.dwBytesInRes < kMinImageBytes)
            return std::nullopt;
        parts.push_back(IcoPart{entry, *image});
        total += entry.dwBytesInRes;
    }
    if (total > kMaxImageSetBytes)
        return std::nullopt;
    // The group's own reserved and type fields and entries (bColorCount and bReserved as stored).
    return BuildIcoFile(group->Reserved(), group->Type(), parts, false);
}

bool CPEFile::SaveGroupAsIco(ResKey name, std::uint16_t language, const char* path,
                             bool overwrite) const {
    if (path == nullptr || *path == '\0')
        return false;
    const auto bytes = GroupIcoFileBytes(*this, name, language);
    return bytes && WriteAll(path, *bytes, overwrite);
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
