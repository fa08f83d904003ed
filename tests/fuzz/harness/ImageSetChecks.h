// Checks shared by the fuzz targets: what an .ico writer must put in the file, and the round
// trip of an image set through WriteIcoFile and ReadIcoFileImages.
#pragma once

#include "engine/IconImageSet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::fuzz {

// An image as the writers must store it: biSizeImage 0 in a bitmap, a PNG stream untouched.
std::vector<std::uint8_t> AsWritten(const std::uint8_t* image, std::size_t size);

// bColorCount as WriteIcoFile computes it from the planes and the bit count.
std::uint8_t ExpectedColorCount(std::uint16_t planes, std::uint16_t bitCount);

// The size and depth facts of every image of the set stay in range (the sub-icon labels and
// the display icon's build size come from them), and each image's PNG conversion is sound.
std::string CheckImageFacts(const CIconImageSet& set);

// Writes the set to `path` with WriteIcoFile, reads it back and compares it with the set, which
// must be left as it was; then writes the entries in reverse order and compares again. Removes
// the file.
std::string CheckWriteAndReadBack(const CIconImageSet& set, const std::string& path);

} // namespace quarvel::fuzz
