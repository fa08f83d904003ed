// Between image views and image sets.
#include "IconImageSpans.h"

#include "IconImageSet.h"

namespace quarvel {

void SpansOf(const CIconImageSet& set, IconImageSpans& spans) {
    spans.type = set.type;
    spans.images.clear();
    for (const IconSetEntry& entry : set.entries)
        spans.images.push_back({entry, ByteView(entry.image.data(), entry.image.size())});
}

std::unique_ptr<CIconImageSet> CopyImages(const IconImageSpans& spans) {
    auto set = MakeImageSet(static_cast<int>(spans.images.size()), [&](int i, IconSetEntry& entry) {
        const ImageSpan& from = spans.images[static_cast<std::size_t>(i)];
        static_cast<IconEntryFields&>(entry) = from.fields;
        entry.image.assign(from.bytes.Data(), from.bytes.Data() + from.bytes.Size());
        return true;
    });
    if (set)
        set->type = spans.type;
    return set;
}

} // namespace quarvel
