// CIconImageSet: an icon in memory as an .ico file holds it (directory entries and a copy of
// each image's bytes), read from a group icon or an .ico file and written by WriteIcoFile.
#pragma once

#include "ByteView.h"
#include "ResKey.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace quarvel {

class CPEFile;

struct IconSetEntry {
    // The 16 bytes of an .ico directory entry.
    std::uint8_t bWidth = 0, bHeight = 0, bColorCount = 0, bReserved = 0;
    std::uint16_t wPlanes = 0, wBitCount = 0;
    std::uint32_t dwBytesInRes = 0, dwImageOffset = 0;
    // dwBytesInRes bytes owned by the set; null when not filled.
    std::unique_ptr<std::uint8_t[]> image;
};

struct CIconImageSet {
    // The entries that count (and that WriteIcoFile writes); at most entries.size().
    // A caller may lower it for a write and restore it: every entry is released regardless.
    int count = 0;
    std::vector<IconSetEntry> entries;
};

// Image sets larger than this in total are refused: images that share bytes could otherwise
// make a small hostile file ask for gigabytes.
constexpr std::uint64_t kMaxImageSetBytes = 256u << 20;

// The images of a group icon in exactly that language (each image in the group's language,
// else in the first stored); null unless every image is found with exactly its entry's size.
// The caller releases the set with FreeImageSet.
CIconImageSet* ReadGroupImages(const char* path, ResKey name, std::uint16_t language);
CIconImageSet* ReadGroupImages(const CPEFile& file, ResKey name, std::uint16_t language);

// The images of an .ico file (entries copied unchanged); null when the file is too short,
// its header is not an icon's, or an image lies past its end.
CIconImageSet* ReadIcoFileImages(const char* path);
CIconImageSet* ReadIcoImages(const ByteView& file);

// Releases a set and every image buffer it holds; null is ignored.
void FreeImageSet(CIconImageSet* set);

} // namespace quarvel
