// What the filter and the sort orders know of an icon: a small record the icon list and the
// command line fill from what they hold.
#pragma once

#include "IconImageSet.h"

#include <string>
#include <vector>

namespace quarvel {

struct ImageFact {
    int width = 0;    // real width in pixels (0: unknown)
    int bitCount = 0; // bits per pixel (0: unknown)
};

struct IconFacts {
    std::string label;        // as the list shows it
    std::string fileName;     // of the file it was listed for
    std::string resourceName; // the group's name or id; empty for an .ico file
    std::vector<ImageFact> images;
    bool hasPng = false;
    bool isCursor = false;

    // The widest image, the deepest among those of that width ({0, 0} without images).
    ImageFact Largest() const;
};

// Sets the image facts (widths, depths, PNG, cursor) of `facts` from the icon's images.
void SetImageFacts(const CIconImageSet& set, IconFacts& facts);
void SetImageFacts(const IconImageSpans& images, IconFacts& facts);

} // namespace quarvel
