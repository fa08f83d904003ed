// The check that every icon image passes before its bytes reach the system's icon builder: the
// system trusts the header and reads as many bytes as it promises, so a header that promises
// more than the image holds makes it read past the image.
#pragma once

#include "ByteView.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

// Bitmap images wider or higher than this are refused (real icons stop at 256).
constexpr std::int64_t kMaxBitmapSide = 4096;

// The bytes an uncompressed bitmap image needs: header, colour table, colour bits and mask
// bits, as the system reads them. 0 when the header is not one that the system builds icons
// from (size 40 to 124, planes 1, 1/4/8/16/24/32 bits, no compression, sides 1 to
// kMaxBitmapSide, a height that holds colour and mask).
std::uint64_t BitmapImageBytes(const ByteView& image);
// The mask's part of those bytes; 0 for an image that BitmapImageBytes refuses.
std::uint64_t BitmapMaskBytes(const ByteView& image);

// True when the image may be handed to the system (through ImageForSystem): a bitmap whose header
// is sound and whose colour table and colour bits lie inside the bytes given, or a PNG stream
// whose first chunk is a sound IHDR (sides 1 or more, depth and colour type that go together, no
// unknown method) promising no more than kMaxDecodedPixels pixels.
bool IsSoundIconImage(const ByteView& image);

// The bytes to hand to the system for a sound image: the image itself, or, for a bitmap whose
// mask is missing or cut short (32-bit images often come without one), a copy in `scratch` with
// the rest of the mask added as zeros, which leaves every pixel to its alpha. Nothing for an
// image that is not sound.
std::optional<ByteView> ImageForSystem(const ByteView& image, std::vector<std::uint8_t>& scratch);

} // namespace quarvel
