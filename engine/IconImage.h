// Facts about one icon image's bytes: a bitmap (BITMAPINFOHEADER first) or a PNG stream.
#pragma once

#include "ByteView.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quarvel {

// Sizes that an icon is ever built at; a size read from a file is clamped into this range.
constexpr int kMinIconSize = 1;
constexpr int kMaxIconSize = 256;

// Offset of biSizeImage in a BITMAPINFOHEADER.
constexpr std::size_t kBiSizeImageOffset = 20;

// The image starts with the 8-byte PNG signature.
bool IsPngImage(const ByteView& image);

// The image is not a PNG and starts with a bitmap header of 40 bytes or more (biSize).
bool HasBitmapHeader(const ByteView& image);

// The image's own width: biWidth, or the width of a PNG's IHDR chunk.
std::optional<std::int64_t> ImageWidth(const ByteView& image);

// The image's bits per pixel: biBitCount, or for a PNG its IHDR bit depth times the
// channels of its colour type (so an RGBA image of 8 bits per channel gives 32).
std::optional<int> ImageBitCount(const ByteView& image);

// The size at which to build an icon from the image: its own width clamped to 1..256.
std::optional<int> IconBuildSize(const ByteView& image);

// Sets biSizeImage to 0 in a bitmap image; a PNG image is left as it is.
void ClearBitmapSizeImage(std::uint8_t* image, std::size_t size);
// Sets biXPelsPerMeter and biYPelsPerMeter to 0 in a bitmap image, as readers of .cur files
// expect (no system reader looks at them).
void ClearBitmapResolution(std::uint8_t* image, std::size_t size);

} // namespace quarvel
