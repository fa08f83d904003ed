// Refusing icon images too costly to decode.
#include "ImageLimits.h"

#include "DisplayImage.h"
#include "GroupIcon.h"
#include "IcoDirectory.h"
#include "IconImage.h"
#include "IconImageFinder.h"

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
    const IcoFile file(path);
    return file.Directory() && IcoHasOversizedImage(*file.Directory());
}

bool IcoHasOversizedImage(const IcoDirectory& directory) {
    // Whatever the rest of the directory holds: the images that are there are looked at.
    for (int i = 0; i < directory.EntriesInFile(); ++i) {
        const auto image = directory.Image(i);
        if (image && IsOversizedImage(*image))
            return true;
    }
    return false;
}

bool GroupHasOversizedImage(const CPEFile& file, ResKey name, std::uint16_t language) {
    IconImageFinder images(file, language);
    return GroupHasOversizedImage(file, images, name, language);
}

bool GroupHasOversizedImage(const CPEFile& file, IconImageFinder& images, ResKey name,
                            std::uint16_t language) {
    const auto group = FindDisplayGroup(file, name, language);
    if (!group)
        return false;
    for (int i = 0; i < group->Count(); ++i) {
        const auto imageRef = images.Find(group->Entry(i).nID, false);
        const auto image = imageRef ? imageRef->Bytes() : std::nullopt;
        if (image && IsOversizedImage(*image))
            return true;
    }
    return false;
}

} // namespace quarvel
