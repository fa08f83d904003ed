// When two icons are the same: the same kind (icon or cursor) and the same images, every image's
// bytes in directory order (a cursor's hot spots included, so a .cur file and a group cursor
// with equal images and hot spots are one cursor). Names, files, languages and the directory's
// size fields play no part, so an .ico file and a group holding the same images are one icon.
#pragma once

#include "IconImageSet.h"
#include "IconImageSpans.h"
#include "Sha256.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace quarvel {

// The SHA-256 of the icon's kind and its images, each led by its size (and a cursor's hot spot),
// so that images split differently never hash alike by accident of concatenation.
Sha256Digest IconDigest(const IconImageSpans& images);
Sha256Digest IconDigest(const CIconImageSet& set);

// The icons are the same by the rule above, compared byte for byte.
bool SameIcon(const IconImageSpans& a, const IconImageSpans& b);
bool SameIcon(const CIconImageSet& a, const CIconImageSet& b);

// What an .ani file is compared by: one image, the whole file, so that only byte-equal .ani files
// are the same cursor. Null when the file cannot be read.
std::unique_ptr<CIconImageSet> ReadAnimatedCursorIdentity(const char* path);

// Groups icons added in list order by sameness. The first icon of each kind of images stands for
// the others, which are counted. Equal digests are confirmed by comparing the bytes, so a
// collision never joins different icons. The representatives' images are kept for that (a copy
// of those only viewed); the others' are released. One index serves one thread.
class UniqueIcons {
public:
    using HashFunction = std::function<Sha256Digest(const CIconImageSet&)>;
    // `hash`, when given, replaces IconDigest in tests that force collisions.
    explicit UniqueIcons(HashFunction hash = nullptr);

    // Adds the next icon (numbered from 0 in the order added) and answers the number of the first
    // icon added with the same images: its own when it is the first. An icon whose images could
    // not be read (null) is always its own.
    int Add(std::unique_ptr<CIconImageSet> set);
    // The same for images viewed where they lie (null: not readable), copied only when they are
    // the first of their kind: what a listing of thousands of icons hashes them by.
    int AddImages(const IconImageSpans* images);

    // Icons added, and how many of them are the first of their kind.
    int Count() const { return static_cast<int>(firstOf_.size()); }
    int DistinctCount() const { return distinct_; }
    // The first icon with the same images as icon `index`.
    int FirstOf(int index) const { return firstOf_[static_cast<std::size_t>(index)]; }
    bool IsFirst(int index) const { return FirstOf(index) == index; }
    // How many other icons have the same images as icon `index` (of any icon of the kind).
    int OthersOf(int index) const;

private:
    struct DigestHash {
        std::size_t operator()(const Sha256Digest& digest) const;
    };
    struct Kept {
        int index;
        std::unique_ptr<CIconImageSet> set;
        IconImageSpans images; // views of the set's images
    };
    // Numbers the next icon: the first kept with the same images, else this one, kept with
    // the set `keep()` makes.
    template <typename Keep>
    int Place(const IconImageSpans& images, const Sha256Digest& digest, Keep keep);
    // Records that the next icon is the same as icon `first` (its own number: the first).
    int Number(int first);

    HashFunction hash_;
    std::unordered_map<Sha256Digest, std::vector<Kept>, DigestHash> byDigest_;
    std::vector<int> firstOf_;
    std::unordered_map<int, int> others_; // by first icon, when it has others
    int distinct_ = 0;
    IconImageSpans scratch_; // views of the set being added, its storage reused
};

} // namespace quarvel
