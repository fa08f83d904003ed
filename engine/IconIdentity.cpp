// Icon digests and the index of distinct icons.
#include "IconIdentity.h"

#include "platform/FileSystem.h"

#include <cstring>

namespace quarvel {

namespace {

// Whether the entry's hot spot belongs to what the icon is.
bool HasHotSpots(const IconImageSpans& images) {
    return images.type == kCursorType;
}

void AddU32(Sha256& hasher, std::uint32_t value) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    hasher.Add(bytes, sizeof bytes);
}

} // namespace

Sha256Digest IconDigest(const IconImageSpans& images) {
    Sha256 hasher;
    AddU32(hasher, images.type);
    AddU32(hasher, static_cast<std::uint32_t>(images.images.size()));
    for (const ImageSpan& image : images.images) {
        AddU32(hasher, static_cast<std::uint32_t>(image.bytes.Size()));
        if (HasHotSpots(images))
            AddU32(hasher, image.fields.wPlanes | (std::uint32_t(image.fields.wBitCount) << 16));
        hasher.Add(image.bytes.Data(), image.bytes.Size());
    }
    return hasher.Finish();
}

Sha256Digest IconDigest(const CIconImageSet& set) {
    IconImageSpans images;
    SpansOf(set, images);
    return IconDigest(images);
}

bool SameIcon(const IconImageSpans& a, const IconImageSpans& b) {
    if (a.type != b.type || a.images.size() != b.images.size())
        return false;
    for (std::size_t i = 0; i < a.images.size(); ++i) {
        const ImageSpan& x = a.images[i];
        const ImageSpan& y = b.images[i];
        if (HasHotSpots(a) &&
            (x.fields.wPlanes != y.fields.wPlanes || x.fields.wBitCount != y.fields.wBitCount))
            return false;
        if (x.bytes.Size() != y.bytes.Size() ||
            (x.bytes.Size() != 0 &&
             std::memcmp(x.bytes.Data(), y.bytes.Data(), x.bytes.Size()) != 0))
            return false;
    }
    return true;
}

bool SameIcon(const CIconImageSet& a, const CIconImageSet& b) {
    IconImageSpans x, y;
    SpansOf(a, x);
    SpansOf(b, y);
    return SameIcon(x, y);
}

std::size_t UniqueIcons::DigestHash::operator()(const Sha256Digest& digest) const {
    std::size_t value;
    std::memcpy(&value, digest.data(), sizeof value);
    return value;
}

UniqueIcons::UniqueIcons(HashFunction hash) : hash_(std::move(hash)) {}

int UniqueIcons::Add(std::unique_ptr<CIconImageSet> set) {
    if (!set)
        return AddImages(nullptr);
    SpansOf(*set, scratch_);
    const Sha256Digest digest = hash_ ? hash_(*set) : IconDigest(scratch_);
    return Place(scratch_, digest, [&set] { return std::move(set); });
}

int UniqueIcons::AddImages(const IconImageSpans* images) {
    if (images == nullptr)
        return Number(Count());
    if (!hash_)
        return Place(*images, IconDigest(*images), [images] { return CopyImages(*images); });
    auto set = CopyImages(*images);
    const Sha256Digest digest = set ? hash_(*set) : IconDigest(*images);
    return Place(*images, digest, [&set] { return std::move(set); });
}

template <typename Keep>
int UniqueIcons::Place(const IconImageSpans& images, const Sha256Digest& digest, Keep keep) {
    std::vector<Kept>& alike = byDigest_[digest];
    for (const Kept& kept : alike) {
        if (SameIcon(kept.images, images))
            return Number(kept.index);
    }
    Kept kept{Count(), keep(), {}};
    // A copy that memory refused leaves the icon its own, and no later icon can join it.
    if (kept.set) {
        SpansOf(*kept.set, kept.images);
        alike.push_back(std::move(kept));
    }
    return Number(Count());
}

int UniqueIcons::Number(int first) {
    const int index = Count();
    firstOf_.push_back(first);
    if (first == index)
        ++distinct_;
    else
        ++others_[first];
    return first;
}

int UniqueIcons::OthersOf(int index) const {
    const auto found = others_.find(FirstOf(index));
    return found == others_.end() ? 0 : found->second;
}

std::unique_ptr<CIconImageSet> ReadAnimatedCursorIdentity(const char* path) {
    // A kind of its own, so that no icon or cursor set can equal it.
    constexpr std::uint16_t kAnimatedCursorType = 3;
    std::vector<std::uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes))
        return nullptr;
    auto set = std::make_unique<CIconImageSet>();
    set->type = kAnimatedCursorType;
    set->entries.resize(1);
    set->entries[0].image = std::move(bytes);
    return set;
}

} // namespace quarvel
