// Icon images too costly to decode: a PNG image of a few bytes can promise millions of pixels,
// which the system decodes in full (seconds and gigabytes) before it scales the icon down. The
// display icons refuse them; the icon panes use the same rule for the icons they build.
#pragma once

#include "ByteView.h"
#include "ResKey.h"

#include <cstdint>

namespace quarvel {

class CPEFile;
class IcoDirectory;
class IconImageFinder;

// Far above any real icon (256 x 256), yet cheap to decode.
constexpr std::uint64_t kMaxDecodedPixels = 1024 * 1024;

// The pixels a PNG image's header promises; 0 for other images.
std::uint64_t PngPixels(const ByteView& image);

// A PNG image whose header promises more than kMaxDecodedPixels pixels. (A bitmap image holds
// its pixels in its own bytes, so its cost is bounded by the file.)
bool IsOversizedImage(const ByteView& image);

// An .ico file with such an image among its entries; the system's own loader might pick it.
bool IcoFileHasOversizedImage(const char* path);
// The same for a directory already read.
bool IcoHasOversizedImage(const IcoDirectory& directory);

// A group icon with such an image, looked up as its display icon is (FindDisplayGroup; each image
// in any language).
bool GroupHasOversizedImage(const CPEFile& file, ResKey name, std::uint16_t language);
// The same with the file's images indexed beforehand (lookups in any language).
bool GroupHasOversizedImage(const CPEFile& file, IconImageFinder& images, ResKey name,
                            std::uint16_t language);

} // namespace quarvel
