// Scaling icon pixels down by area averaging, without dark fringes at transparent edges.
#pragma once

#include "IconBitmap.h"

#include <optional>

namespace quarvel {

// The image scaled down to width x height: each target pixel is the average of the source area
// it covers, partly covered source pixels weighed by the part covered, colours weighed by their
// alpha (premultiplied, averaged, then divided back). Nothing when the target is empty or larger
// than the source in either direction, or the source's pixels do not match its size.
std::optional<RgbaImage> ScaleDown(const RgbaImage& source, int width, int height);

// The same into `target`, whose memory is reused; false (and `target` untouched) where ScaleDown
// answers nothing.
bool ScaleDownInto(const RgbaImage& source, int width, int height, RgbaImage& target);

} // namespace quarvel
