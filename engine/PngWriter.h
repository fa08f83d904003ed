// Writing icon images as PNG files: a PNG image is copied byte for byte, a bitmap image becomes
// an 8-bit RGBA PNG with full alpha (deflated with zlib).
#pragma once

#include "ByteView.h"
#include "IconBitmap.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

// A complete PNG stream of the pixels (colour type 6, 8 bits per channel, not interlaced).
std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image);

// The image as a PNG stream: its own bytes when it is a PNG, else its decoded pixels
// (DecodeIconBitmap) encoded. Nothing when the bitmap cannot be decoded.
std::optional<std::vector<std::uint8_t>> IconImageAsPng(const ByteView& image);

// Writes the image as a PNG file through a temporary file; a file at the path is replaced only
// when overwriting is allowed. False, with nothing written, when the image cannot be converted
// or the file cannot be made.
bool WritePngFile(const char* path, const ByteView& image, bool overwrite);

} // namespace quarvel
