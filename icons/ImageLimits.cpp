// Refusing icon images too costly to decode.
#include "ImageLimits.h"

#include "engine/GroupIcon.h"
#include "engine/IconImage.h"
#include "engine/IconImageFinder.h"
#include "engine/PEFile.h"
#include "engine/platform/FileSystem.h"

#include <vector>

namespace quarvel {

namespace {
// IHDR, the first chunk of a PNG stream: its width and height (big-endian) follow its type.
constexpr std::uint64_t kPngWidthOffset = 16;
constexpr std::uint64_t kPngHeightOffset = 20;

std::uint32_t BigEndianAt(const ByteView& bytes, std::uint64_t offset) {
    const std::uint8_t* p = bytes.Data() + offset;
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}
} // namespace

std::uint64_t PngPixels(const ByteView& image) {
    if (!IsPngImage(image) || !image.Readable(0, kPngHeightOffset + 4))
        return 0;
    const std::uint64_t width = BigEndianAt(image, kPngWidthOffset);
    return width * BigEndianAt(image, kPngHeightOffset);
}

bool IsOversizedImage(const ByteView& image) {
    return PngPixels(image) > kMaxDecodedPixels;
}

bool IcoFileHasOversizedImage(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!path || !platform::ReadWholeFile(path, bytes))
        return false;
    const ByteView file(bytes.data(), bytes.size());
    std::uint16_t count = 0;
    if (!file.U16(4, count))
        return false;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = kIconHeaderSize + kIcoEntrySize * i;
        std::uint32_t size = 0, offset = 0;
        if (!file.U32(at + 8, size) || !file.U32(at + 12, offset))
            break;
        const auto image = file.Slice(offset, size);
        if (image && IsOversizedImage(*image))
            return true;
    }
    return false;
}

bool GroupHasOversizedImage(const CPEFile& file, ResKey name, std::uint16_t language) {
    auto groupRef = file.FindResourceLang(kResTypeGroupIcon, name, language);
    if (!groupRef)
        groupRef = file.FindResourceAnyLang(kResTypeGroupIcon, name);
    const auto groupBytes = groupRef ? groupRef->Bytes() : std::nullopt;
    const auto group = groupBytes ? GroupIcon::Parse(*groupBytes) : std::nullopt;
    if (!group)
        return false;
    IconImageFinder images(file, language);
    for (int i = 0; i < group->Count(); ++i) {
        const auto imageRef = images.Find(group->Entry(i).nID, false);
        const auto image = imageRef ? imageRef->Bytes() : std::nullopt;
        if (image && IsOversizedImage(*image))
            return true;
    }
    return false;
}

} // namespace quarvel
