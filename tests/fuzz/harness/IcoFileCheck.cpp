// The .ico file target: read the bytes as an .ico file, from memory and from disk, then write
// the set and read it back.
#include "FuzzChecks.h"

#include "ImageSetChecks.h"
#include "ScratchFiles.h"
#include "SystemImageCheck.h"
#include "engine/DisplayImage.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

namespace quarvel::fuzz {

namespace {

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t{Le16(p)} | (std::uint32_t{Le16(p + 2)} << 16);
}

// Whether the bytes are an .ico file that the reader must take: an icon header, the whole
// directory and every image inside the file, and no more image bytes than a set may hold.
bool IsReadableIco(const std::uint8_t* data, std::size_t size) {
    if (size < 6 || Le16(data) != 0 || Le16(data + 2) != 1 || Le16(data + 4) == 0)
        return false;
    const std::uint16_t count = Le16(data + 4);
    if (size < 6 + 16 * std::uint64_t{count})
        return false;
    std::uint64_t total = 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint64_t length = Le32(data + 6 + 16 * i + 8);
        const std::uint64_t offset = Le32(data + 6 + 16 * i + 12);
        if (offset + length > size)
            return false;
        total += length;
    }
    return total <= kMaxImageSetBytes;
}

// The set holds the directory entries unchanged and a copy of each image.
std::string CheckAgainstFile(const CIconImageSet& set, const std::uint8_t* data) {
    for (int i = 0; i < set.Count(); ++i) {
        const std::uint8_t* raw = data + 6 + 16 * i;
        const IconSetEntry& e = set.entries[static_cast<std::size_t>(i)];
        if (e.bWidth != raw[0] || e.bHeight != raw[1] || e.bColorCount != raw[2] ||
            e.bReserved != raw[3] || e.wPlanes != Le16(raw + 4) || e.wBitCount != Le16(raw + 6) ||
            e.dwBytesInRes != Le32(raw + 8) || e.dwImageOffset != Le32(raw + 12))
            return "entry " + std::to_string(i) + " not copied unchanged";
        if (e.image.size() != e.dwBytesInRes ||
            !std::equal(e.image.begin(), e.image.end(), data + e.dwImageOffset))
            return "image " + std::to_string(i) + " not copied unchanged";
    }
    return "";
}

} // namespace

std::string CheckIcoFile(const std::uint8_t* data, std::size_t size, const std::string& folder) {
    const auto fromMemory = ReadIcoImages(ByteView(data, size));
    const std::string path = JoinPath(folder, "input.ico");
    if (!WriteBytes(path, data, size))
        return "cannot write the scratch file";
    const auto fromFile = ReadIcoFileImages(path.c_str());
    std::remove(path.c_str());

    // The display image is chosen from any file with a sound directory, readable or not.
    if (const auto directory = IcoDirectory::Parse(ByteView(data, size)))
        for (const int width : {16, 32, 48})
            if (const auto image = ChooseIcoDisplayImage(*directory, width))
                if (std::string p = CheckImageForSystem(*image); !p.empty())
                    return "display image: " + p;

    const bool readable = IsReadableIco(data, size);
    if ((fromFile != nullptr) != readable)
        return readable ? "ReadIcoFileImages refused a sound .ico file"
                        : "ReadIcoFileImages took a broken .ico file";
    if ((fromMemory != nullptr) != readable)
        return "reading from memory and from the file disagree";
    if (!readable)
        return "";
    if (fromFile->Count() != Le16(data + 4))
        return "ReadIcoFileImages gave another number of images than the header";
    if (std::string p = CheckAgainstFile(*fromFile, data); !p.empty())
        return "ReadIcoFileImages: " + p;
    if (std::string p = CheckImageFacts(*fromFile); !p.empty())
        return p;
    if (std::string p = CheckWriteAndReadBack(*fromFile, JoinPath(folder, "set.ico")); !p.empty())
        return p;
    if (const auto left = FilesUnder(folder); !left.empty())
        return "files left behind, first " + left.front();
    return "";
}

} // namespace quarvel::fuzz
