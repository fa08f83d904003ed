// The check that every icon image passes before its bytes reach the system's icon builder: the
// system trusts the header and reads as many bytes as it promises, so a header that promises
// more than the image holds makes it read past the image.
#pragma once

#include "ByteView.h"

#include <cstdint>

namespace quarvel {

// Bitmap images wider or higher than this are refused (real icons stop at 256).
constexpr std::int64_t kMaxBitmapSide = 4096;

// The bytes an uncompressed bitmap image needs: header, colour table, colour bits and mask
// bits, as the system reads them. 0 when the header is not one that the system builds icons
// from (size 40 to 124, planes 1, 1/4/8/16/24/32 bits, no compression, sides 1 to
// kMaxBitmapSide, a height that holds colour and mask).
std::uint64_t BitmapImageBytes(const ByteView& image);

// True when the image may be handed to the system: a bitmap whose header is sound and whose
// colour table, colour bits and mask all lie inside the bytes given, or a PNG stream whose
// first chunk is a sound IHDR (sides 1 or more, depth and colour type that go together, no
// unknown method) promising no more than kMaxDecodedPixels pixels.
bool IsSoundIconImage(const ByteView& image);

} // namespace quarvel
