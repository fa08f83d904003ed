// An icon's images where they lie (in a file's mapping or in an image set), with the directory
// fields a set's entries would hold: what hashing and comparing thousands of icons reads,
// without copying any image.
#pragma once

#include "ByteView.h"
#include "GroupIcon.h"

#include <memory>
#include <vector>

namespace quarvel {

struct CIconImageSet;

struct ImageSpan {
    // As the set's entry holds them: a cursor's hot spot x and y in wPlanes and wBitCount.
    IconEntryFields fields;
    ByteView bytes;
};

struct IconImageSpans {
    // One per image, in directory order; valid while what they view lives.
    std::vector<ImageSpan> images;
    std::uint16_t type = kIconType;
};

// Refills `spans` (its storage reused) with views of the set's images.
void SpansOf(const CIconImageSet& set, IconImageSpans& spans);

// A set holding a copy of the viewed images; null when memory runs out.
std::unique_ptr<CIconImageSet> CopyImages(const IconImageSpans& spans);

} // namespace quarvel
