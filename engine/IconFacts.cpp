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

void SetImageFacts(const IconImageSpans& images, IconFacts& facts) {
    facts.isCursor = images.type == kCursorType;
    facts.hasPng = false;
    facts.images.clear();
    for (const ImageSpan& image : images.images) {
        ImageFact fact;
        fact.width = EntryImageWidth(image.fields, image.bytes);
        // A cursor's entry holds its hot spot where an icon's holds planes and depth.
        fact.bitCount =
            ImageBitCount(image.bytes).value_or(facts.isCursor ? 0 : image.fields.wBitCount);
        facts.images.push_back(fact);
        facts.hasPng = facts.hasPng || IsPngImage(image.bytes);
    }
}

void SetImageFacts(const CIconImageSet& set, IconFacts& facts) {
    IconImageSpans images;
    SpansOf(set, images);
    SetImageFacts(images, facts);
}

} // namespace quarvel
