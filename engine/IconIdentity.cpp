// Icon digests and the index of distinct icons.
#include "IconIdentity.h"

#include "platform/FileSystem.h"

#include <cstring>

namespace quarvel {

namespace {

// Whether the entry's hot spot belongs to what the icon is.
bool HasHotSpots(const CIconImageSet& set) {
    return set.type == kCursorType;
}

void AddU32(Sha256& hasher, std::uint32_t value) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    hasher.Add(bytes, sizeof bytes);
}

} // namespace

Sha256Digest IconDigest(const CIconImageSet& set) {
    Sha256 hasher;
    AddU32(hasher, set.type);
    AddU32(hasher, static_cast<std::uint32_t>(set.entries.size()));
    for (const IconSetEntry& entry : set.entries) {
        AddU32(hasher, static_cast<std::uint32_t>(entry.image.size()));
        if (HasHotSpots(set))
            AddU32(hasher, entry.wPlanes | (std::uint32_t(entry.wBitCount) << 16));
        hasher.Add(entry.image.data(), entry.image.size());
    }
    return hasher.Finish();
}

bool SameIcon(const CIconImageSet& a, const CIconImageSet& b) {
    if (a.type != b.type || a.entries.size() != b.entries.size())
        return false;
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const IconSetEntry& x = a.entries[i];
        const IconSetEntry& y = b.entries[i];
        if (HasHotSpots(a) && (x.wPlanes != y.wPlanes || x.wBitCount != y.wBitCount))
            return false;
        if (x.image != y.image)
            return false;
    }
    return true;
}

std::size_t UniqueIcons::DigestHash::operator()(const Sha256Digest& digest) const {
    std::size_t value;
    std::memcpy(&value, digest.data(), sizeof value);
    return value;
}

UniqueIcons::UniqueIcons(HashFunction hash) : hash_(std::move(hash)) {}

int UniqueIcons::Add(std::unique_ptr<CIconImageSet> set) {
    const int index = Count();
    int first = index;
    if (set) {
        std::vector<Kept>& alike = byDigest_[hash_(*set)];
        for (const Kept& kept : alike) {
            if (SameIcon(*kept.set, *set)) {
                first = kept.index;
                break;
            }
        }
        if (first == index)
            alike.push_back(Kept{index, std::move(set)});
    }
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
