// Round trips of image sets through the .ico writer and reader, against what the format says.
#include "ImageSetChecks.h"

#include "ScratchFiles.h"
#include "SystemImageCheck.h"
#include "engine/IcoWriter.h"
#include "engine/IconImage.h"

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
    for (int i = 0; i < set.count; ++i) {
        const IconSetEntry& entry = set.entries[static_cast<std::size_t>(i)];
        const ByteView image(entry.image.get(), entry.dwBytesInRes);
        const auto side = IconBuildSize(image);
        if (side && (*side < kMinIconSize || *side > kMaxIconSize))
            return At("build size out of range", static_cast<std::size_t>(i));
        if (IsPngImage(image) && HasBitmapHeader(image))
            return At("a PNG image taken for a bitmap", static_cast<std::size_t>(i));
        ImageBitCount(image);
        if (std::string p = CheckImageForSystem(image); !p.empty())
            return At(p.c_str(), static_cast<std::size_t>(i));
    }
    return "";
}

std::string CheckWriteAndReadBack(CIconImageSet& set, const std::string& path) {
    struct Before {
        std::uint8_t width, height;
        std::uint16_t planes, bitCount;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Before> before;
    for (int i = 0; i < set.count; ++i) {
        const IconSetEntry& e = set.entries[static_cast<std::size_t>(i)];
        if (!e.image)
            return At("a set came back with an unfilled image", static_cast<std::size_t>(i));
        before.push_back({e.bWidth, e.bHeight, e.wPlanes, e.wBitCount,
                          AsWritten(e.image.get(), e.dwBytesInRes)});
    }

    if (WriteIcoFile(path.c_str(), &set) != 1)
        return "WriteIcoFile refused a set that a reader gave";
    const std::size_t fileSize = ReadBytes(path).size();
    ImageSetOwner back(ReadIcoFileImages(path.c_str()));
    std::remove(path.c_str());
    if (back.set == nullptr)
        return "a file written by WriteIcoFile does not read back";
    if (back.set->count != set.count)
        return "the read-back holds another number of images";

    std::uint64_t offset = 6 + 16 * static_cast<std::uint64_t>(set.count);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const IconSetEntry& e = back.set->entries[i];
        const Before& b = before[i];
        if (e.bWidth != b.width || e.bHeight != b.height || e.wPlanes != b.planes ||
            e.wBitCount != b.bitCount || e.dwBytesInRes != b.bytes.size())
            return At("a directory entry changed on the way", i);
        if (e.bColorCount != ExpectedColorCount(b.planes, b.bitCount) || e.bReserved != 0)
            return At("bColorCount or bReserved not as recomputed", i);
        if (e.dwImageOffset != offset)
            return At("images not back to back", i);
        if (b.bytes.size() != 0 && std::memcmp(e.image.get(), b.bytes.data(), b.bytes.size()) != 0)
            return At("image bytes changed on the way", i);
        offset += e.dwBytesInRes;
    }
    if (offset != fileSize)
        return "the file written is not exactly its directory and images";
    return "";
}

} // namespace quarvel::fuzz
