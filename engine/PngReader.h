// Reading PNG-stored icon images into straight RGBA pixels: every colour type and bit depth the
// format allows, transparency (tRNS), the five row filters and Adam7 interlacing.
#pragma once

#include "ByteView.h"
#include "IconBitmap.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

// The pixels of a PNG stream; 16-bit samples keep their high byte. Nothing for a damaged or
// truncated stream (bad chunk lengths or CRCs, a missing or misplaced IHDR, PLTE or IDAT, data
// that does not inflate to exactly the rows the header promises) or for more than
// kMaxDecodedPixels pixels. Chunks after the image data are not read.
std::optional<RgbaImage> DecodePng(const ByteView& png);

// The same into `image`, with `raw` holding the inflated rows: both keep their memory for the
// next call, so a run of images of one size allocates and clears nothing. False on failure, when
// `image` holds nothing of use.
bool DecodePngInto(const ByteView& png, RgbaImage& image, std::vector<std::uint8_t>& raw);

} // namespace quarvel
