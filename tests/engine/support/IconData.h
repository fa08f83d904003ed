// Icon bytes for the tests: bitmap and PNG icon images, group icon directories, .ico files.
#pragma once

#include "PeBuilder.h"

#include <cstdint>
#include <vector>

namespace quarvel::test {

// A bitmap icon image: header, colour table (up to 8 bits), colour bits and mask.
// Pixels follow a fixed pattern (images of equal size differ by `seed`); one quarter is
// transparent.
Bytes MakeBmpImage(int width, int bitCount, std::uint8_t seed = 0);

// A PNG image of width x height, colour type 6 (RGBA), 8 bits, stored (uncompressed) deflate.
Bytes MakePngImage(int width, int height, std::uint8_t seed = 0);

struct GroupEntrySpec {
    std::uint8_t width, height, colorCount;
    std::uint16_t planes, bitCount;
    std::uint32_t bytesInRes;
    std::uint16_t id;
};

// An RT_GROUP_ICON resource (reserved and type as given).
Bytes MakeGroup(const std::vector<GroupEntrySpec>& entries, std::uint16_t reserved = 0,
                std::uint16_t type = 1);

// The group entry describing `image` (width from the image, 256 written as 0).
GroupEntrySpec EntryFor(const Bytes& image, int width, int bitCount, std::uint16_t id);

// An .ico file holding the images with the given directory entries, back to back.
Bytes MakeIcoFile(const std::vector<GroupEntrySpec>& entries, const std::vector<Bytes>& images);

// Adds a group icon `name` in `language` whose images are RT_ICON resources `firstId`, ... in
// the same language; answers the group's bytes.
Bytes AddIconGroup(ResourceTree& tree, Key name, std::uint16_t language,
                   const std::vector<Bytes>& images, const std::vector<int>& widths,
                   const std::vector<int>& bitCounts, std::uint16_t firstId);

// The CRC-32 of PNG chunks.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);

} // namespace quarvel::test
