// CIconImageSet: an icon in memory as an .ico file holds it (directory entries and a copy of
// each image's bytes), read from a group icon or an .ico file and written by WriteIcoFile.
#pragma once

#include "ByteView.h"
#include "IcoDirectory.h"
#include "ResKey.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace quarvel {

class CPEFile;

struct IconSetEntry : IcoDirEntry {
    // The image's dwBytesInRes bytes, a copy owned by the set.
    std::vector<std::uint8_t> image;
};

struct CIconImageSet {
    // One per image, in the order of the source directory.
    std::vector<IconSetEntry> entries;
    int Count() const { return static_cast<int>(entries.size()); }
};

// Image sets larger than this in total are refused: images that share bytes could otherwise
// make a small hostile file ask for gigabytes.
constexpr std::uint64_t kMaxImageSetBytes = 256u << 20;

// The images of a group icon in exactly that language (each image in the group's language,
// else in the first stored); null unless every image is found with exactly its entry's size.
std::unique_ptr<CIconImageSet> ReadGroupImages(const char* path, ResKey name,
                                               std::uint16_t language);
std::unique_ptr<CIconImageSet> ReadGroupImages(const CPEFile& file, ResKey name,
                                               std::uint16_t language);

// The images of an .ico file (entries copied unchanged); null unless the file is a sound icon
// (IcoDirectory::IsSoundIcon) whose images add up to no more than kMaxImageSetBytes.
std::unique_ptr<CIconImageSet> ReadIcoFileImages(const char* path);
std::unique_ptr<CIconImageSet> ReadIcoImages(const ByteView& file);

} // namespace quarvel
