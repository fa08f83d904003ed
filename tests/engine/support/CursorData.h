// Cursor bytes for the tests: .cur files, group cursors of image files and .ani files.
#pragma once

#include "IconData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::test {

struct HotSpot {
    std::uint16_t x, y;
};

// A .cur file of bitmap images of these sides (1-bit), each with its hot spot.
Bytes MakeCurFile(const std::vector<int>& widths, const std::vector<HotSpot>& hotSpots);

// Adds a group cursor `name` in `language` whose images (bitmaps of these sides, led by their
// hot spots) are RT_CURSOR resources `firstId`, ... in the same language; the group's heights
// are stored doubled. Answers the images as stored, hot spot first.
std::vector<Bytes> AddCursorGroup(ResourceTree& tree, Key name, std::uint16_t language,
                                  const std::vector<int>& widths,
                                  const std::vector<HotSpot>& hotSpots, std::uint16_t firstId);

// The chunks of an .ani file, each changeable before Build.
struct AniParts {
    std::uint32_t headerSize = 36;      // the "anih" chunk's size
    std::uint32_t headerSizeField = 36; // its first field
    std::uint32_t frames = 0, steps = 0, displayRate = 10, flags = 1;
    std::vector<Bytes> frameFiles;       // each a whole .ico or .cur file
    std::vector<std::uint32_t> rates;    // a "rate" chunk when not empty
    std::vector<std::uint32_t> sequence; // a "seq " chunk when not empty
};

// Frame files of distinct 32x32 cursors (hot spot 1, 2, ...), and the parts of an .ani file
// that shows them in order.
AniParts MakeAniParts(int frames);

// The RIFF "ACON" file; the offsets where its chunks start are added to `chunkStarts`.
Bytes BuildAni(const AniParts& parts, std::vector<std::size_t>* chunkStarts = nullptr);

} // namespace quarvel::test
