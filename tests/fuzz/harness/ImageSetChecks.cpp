// Round trips of image sets through the .ico writer and reader, against what the format says.
#include "ImageSetChecks.h"

#include "ScratchFiles.h"
#include "SystemImageCheck.h"
#include "engine/IcoWriter.h"
#include "engine/IconImage.h"
#include "engine/PngWriter.h"

#include <cstdio>
#include <cstring>

namespace quarvel::fuzz {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

std::string At(const char* what, std::size_t index) {
    return std::string(what) + " (image " + std::to_string(index) + ")";
}

} // namespace

std::vector<std::uint8_t> AsWritten(const std::uint8_t* image, std::size_t size) {
    std::vector<std::uint8_t> bytes(image, image + size);
    const bool png = size >= 8 && std::memcmp(image, kPngSignature, 8) == 0;
    if (!png && size >= 40 && Le32(image) >= 40)
        std::memset(bytes.data() + 20, 0, 4);
    return bytes;
}

std::uint8_t ExpectedColorCount(std::uint16_t planes, std::uint16_t bitCount) {
    const std::uint32_t bits = std::uint32_t{planes} * bitCount;
    return bits < 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
}

std::string CheckImageFacts(const CIconImageSet& set) {
    for (int i = 0; i < set.Count(); ++i) {
        const IconSetEntry& entry = set.entries[static_cast<std::size_t>(i)];
        const ByteView image(entry.image.data(), entry.image.size());
        const auto side = IconBuildSize(image);
        if (side && (*side < kMinIconSize || *side > kMaxIconSize))
            return At("build size out of range", static_cast<std::size_t>(i));
        if (IsPngImage(image) && HasBitmapHeader(image))
            return At("a PNG image taken for a bitmap", static_cast<std::size_t>(i));
        ImageBitCount(image);
        if (std::string p = CheckImageForSystem(image); !p.empty())
            return At(p.c_str(), static_cast<std::size_t>(i));
        // The PNG conversion reads a bitmap's bits where its header says: it must stay inside
        // the image (the sanitizers watch), and a PNG image comes back as it is.
        const auto png = IconImageAsPng(image);
        if (png && IsPngImage(image) && *png != entry.image)
            return At("a PNG image not copied as it is", static_cast<std::size_t>(i));
        if (png && !IsPngImage(ByteView(png->data(), png->size())))
            return At("a PNG file without the PNG signature", static_cast<std::size_t>(i));
    }
    return "";
}

namespace {

// Writes the entries of `selection` and compares the file read back with them.
std::string CheckWrittenSelection(const CIconImageSet& set, const std::vector<int>& selection,
                                  const std::string& path) {
    if (!WriteIcoFile(path.c_str(), set, selection))
        return "WriteIcoFile refused a set that a reader gave";
    const std::size_t fileSize = ReadBytes(path).size();
    const auto back = ReadIcoFileImages(path.c_str());
    std::remove(path.c_str());
    if (back == nullptr)
        return "a file written by WriteIcoFile does not read back";
    if (back->entries.size() != selection.size())
        return "the read-back holds another number of images";

    std::uint64_t offset = 6 + 16 * std::uint64_t{selection.size()};
    for (std::size_t i = 0; i < selection.size(); ++i) {
        const IconSetEntry& e = back->entries[i];
        const IconSetEntry& b = set.entries[static_cast<std::size_t>(selection[i])];
        if (e.bWidth != b.bWidth || e.bHeight != b.bHeight || e.wPlanes != b.wPlanes ||
            e.wBitCount != b.wBitCount || e.dwBytesInRes != b.image.size())
            return At("a directory entry changed on the way", i);
        if (e.bColorCount != ExpectedColorCount(b.wPlanes, b.wBitCount) || e.bReserved != 0)
            return At("bColorCount or bReserved not as recomputed", i);
        if (e.dwImageOffset != offset)
            return At("images not back to back", i);
        if (e.image != AsWritten(b.image.data(), b.image.size()))
            return At("image bytes changed on the way", i);
        offset += e.dwBytesInRes;
    }
    if (offset != fileSize)
        return "the file written is not exactly its directory and images";
    return "";
}

} // namespace

std::string CheckWriteAndReadBack(const CIconImageSet& set, const std::string& path) {
    std::vector<std::vector<std::uint8_t>> before;
    for (int i = 0; i < set.Count(); ++i) {
        const IconSetEntry& e = set.entries[static_cast<std::size_t>(i)];
        if (e.image.size() != e.dwBytesInRes)
            return At("a set came back with an image of another size than its entry",
                      static_cast<std::size_t>(i));
        before.push_back(e.image);
    }
    std::vector<int> all(before.size()), reversed(before.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<int>(i);
        reversed[i] = static_cast<int>(all.size() - 1 - i);
    }
    for (const std::vector<int>* selection : {&all, &reversed}) {
        if (std::string p = CheckWrittenSelection(set, *selection, path); !p.empty())
            return p;
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (set.entries[i].image != before[i])
            return At("writing changed the set's image", i);
    }
    return "";
}

} // namespace quarvel::fuzz
