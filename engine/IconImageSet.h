// CIconImageSet: an icon in memory as an .ico file holds it (directory entries and a copy of
// each image's bytes), read from a group icon or an .ico file and written by WriteIcoFile.
#pragma once

#include "ByteView.h"
#include "IcoDirectory.h"
#include "IconImageSpans.h"
#include "ResKey.h"

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace quarvel {

class CPEFile;
class IconImageFinder;

struct IconSetEntry : IcoDirEntry {
    // The image's dwBytesInRes bytes, a copy owned by the set.
    std::vector<std::uint8_t> image;
};

struct CIconImageSet {
    // One per image, in the order of the source directory.
    std::vector<IconSetEntry> entries;
    // kIconType, or kCursorType for a cursor, whose entries hold each image's hot spot x and y
    // in wPlanes and wBitCount, as a .cur file stores them.
    std::uint16_t type = kIconType;
    int Count() const { return static_cast<int>(entries.size()); }
};

// The indices of all the set's entries, in order.
std::vector<int> AllEntries(const CIconImageSet& set);

// Image sets larger than this in total are refused: images that share bytes could otherwise
// make a small hostile file ask for gigabytes.
constexpr std::uint64_t kMaxImageSetBytes = 256u << 20;

// The images of a group icon in exactly that language (each image in the group's language,
// else in the first stored); null unless every image is found with exactly its entry's size.
std::unique_ptr<CIconImageSet> ReadGroupImages(const char* path, ResKey name,
                                               std::uint16_t language);
std::unique_ptr<CIconImageSet> ReadGroupImages(const CPEFile& file, ResKey name,
                                               std::uint16_t language);
// The same images viewed in the file's mapping: false (and `spans` emptied) exactly where
// ReadGroupImages answers null.
bool FindGroupImageSpans(const CPEFile& file, ResKey name, std::uint16_t language,
                         IconImageSpans& spans);
// The same with the file's icon images indexed beforehand (an IconImageFinder of `file` for
// RT_ICON, any preferred language), once for all its groups.
bool FindGroupImageSpans(const CPEFile& file, IconImageFinder& images, ResKey name,
                         std::uint16_t language, IconImageSpans& spans);

// The images of an .ico file (entries copied unchanged); null unless the file is a sound icon
// (IcoDirectory::IsSoundIcon) whose images add up to no more than kMaxImageSetBytes.
std::unique_ptr<CIconImageSet> ReadIcoFileImages(const char* path);
std::unique_ptr<CIconImageSet> ReadIcoImages(const ByteView& file);

// The same for a .cur file (IcoDirectory::IsSoundCursor): a set of type kCursorType.
std::unique_ptr<CIconImageSet> ReadCurFileImages(const char* path);
std::unique_ptr<CIconImageSet> ReadCurImages(const ByteView& file);

// An .ico or .cur file held in memory (a frame of an .ani file), as its header's type says.
std::unique_ptr<CIconImageSet> ReadIcoOrCurImages(const ByteView& file);

// Image sets are filled whole or not at all: a set of `count` entries, each filled by
// fill(index, entry); null when a fill fails or memory runs out.
template <typename Fill> std::unique_ptr<CIconImageSet> MakeImageSet(int count, Fill fill) {
    try {
        auto set = std::make_unique<CIconImageSet>();
        set->entries.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            if (!fill(i, set->entries[static_cast<std::size_t>(i)]))
                return nullptr;
        }
        return set;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace quarvel
