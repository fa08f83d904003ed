// Choosing and naming the images that are saved as PNG files.
#include "PngExport.h"

#include "CursorImages.h"
#include "IconImage.h"
#include "IconItem.h"
#include "PngWriter.h"

#include <set>

namespace quarvel {

namespace {

constexpr std::uint64_t kPngHeightOffset = 20; // in IHDR, after the width

std::uint32_t BigEndianAt(const ByteView& bytes, std::uint64_t offset) {
    const std::uint8_t* p = bytes.Data() + offset;
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

} // namespace

std::optional<ImageFacts> ReadImageFacts(const ByteView& image) {
    const auto width = ImageWidth(image);
    const auto bitCount = ImageBitCount(image);
    if (!width || !bitCount || *width <= 0 || *width > 0x7FFFFFFF)
        return std::nullopt;
    std::int64_t height = 0;
    if (IsPngImage(image)) {
        if (!image.Readable(kPngHeightOffset, 4))
            return std::nullopt;
        height = BigEndianAt(image, kPngHeightOffset);
    } else {
        std::uint32_t doubled = 0;
        if (!image.U32(8, doubled))
            return std::nullopt;
        height = static_cast<std::int32_t>(doubled) / 2;
    }
    if (height <= 0 || height > 0x7FFFFFFF)
        return std::nullopt;
    return ImageFacts{static_cast<int>(*width), static_cast<int>(height), *bitCount};
}

std::string ImageSizeName(const ImageFacts& facts) {
    return std::to_string(facts.width) + "x" + std::to_string(facts.height) + "x" +
           std::to_string(facts.bitCount);
}

std::vector<std::string> ImageFileNames(const CIconImageSet& set, const std::vector<int>& entries,
                                        const std::string& stem) {
    std::vector<std::string> names;
    std::set<std::string> used;
    for (int entry : entries) {
        const auto facts = ReadImageFacts(ImageOf(set, entry));
        const std::string sized = stem + "-" + (facts ? ImageSizeName(*facts) : "image");
        std::string name = sized + ".png";
        for (int n = 2; !used.insert(name).second; ++n)
            name = sized + "-" + std::to_string(n) + ".png";
        names.push_back(name);
    }
    return names;
}

ByteView ImageOf(const CIconImageSet& set, int entry) {
    if (entry < 0 || entry >= set.Count())
        return ByteView();
    const std::vector<std::uint8_t>& image = set.entries[static_cast<std::size_t>(entry)].image;
    return ByteView(image.data(), image.size());
}

int LargestImage(const CIconImageSet& set) {
    int best = -1;
    std::uint64_t bestPixels = 0;
    int bestDepth = 0;
    for (int i = 0; i < set.Count(); ++i) {
        const auto facts = ReadImageFacts(ImageOf(set, i));
        if (!facts)
            continue;
        const std::uint64_t pixels = std::uint64_t{static_cast<std::uint32_t>(facts->width)} *
                                     static_cast<std::uint32_t>(facts->height);
        if (best < 0 || pixels > bestPixels ||
            (pixels == bestPixels && facts->bitCount > bestDepth)) {
            best = i;
            bestPixels = pixels;
            bestDepth = facts->bitCount;
        }
    }
    return best;
}

std::unique_ptr<CIconImageSet> ReadIconImages(const CIconItem& item) {
    if (item.IsCursor())
        return ReadCursorImages(item);
    if (item.GetKind() == CIconItem::ResourceGroup)
        return ReadGroupImages(item.GetPath().c_str(), item.GetName(), item.GetLanguage());
    return ReadIcoFileImages(item.GetPath().c_str());
}

bool SaveIconAsPng(const CIconItem& item, const char* path, bool overwrite) {
    const auto set = ReadIconImages(item);
    const int largest = set ? LargestImage(*set) : -1;
    return largest >= 0 && WritePngFile(path, ImageOf(*set, largest), overwrite);
}

} // namespace quarvel
