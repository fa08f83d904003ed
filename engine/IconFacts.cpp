// Image facts from an icon in memory.
#include "IconFacts.h"

#include "IconImage.h"
#include "IconSizing.h"

namespace quarvel {

ImageFact IconFacts::Largest() const {
    ImageFact largest;
    for (const ImageFact& image : images) {
        if (image.width > largest.width ||
            (image.width == largest.width && image.bitCount > largest.bitCount))
            largest = image;
    }
    return largest;
}

void SetImageFacts(const CIconImageSet& set, IconFacts& facts) {
    facts.isCursor = set.type == kCursorType;
    facts.hasPng = false;
    facts.images.clear();
    for (const IconSetEntry& entry : set.entries) {
        const ByteView image(entry.image.data(), entry.image.size());
        ImageFact fact;
        fact.width = EntryImageWidth(entry, image);
        // A cursor's entry holds its hot spot where an icon's holds planes and depth.
        fact.bitCount = ImageBitCount(image).value_or(facts.isCursor ? 0 : entry.wBitCount);
        facts.images.push_back(fact);
        facts.hasPng = facts.hasPng || IsPngImage(image);
    }
}

} // namespace quarvel
