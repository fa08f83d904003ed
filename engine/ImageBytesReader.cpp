// The images are read in runs: those lying next to one another in the file (a few bytes of
// alignment apart, in any order, overlapping or not) are read at once. A group's images usually
// form one run, often stored last image first.
#include "ImageBytesReader.h"

#include "PEFile.h"

#include <algorithm>
#include <new>

namespace quarvel {

namespace {

// Bytes between two images that are read rather than start another read.
constexpr std::uintptr_t kMaxGap = 256;
// A buffer grown past this for one large icon is not kept for the small ones after it.
constexpr std::size_t kKeptCapacity = 8u << 20;

} // namespace

bool ImageBytesReader::Read(const CPEFile& file, IconImageSpans& spans) {
    std::vector<ImageSpan>& images = spans.images;
    // An empty image is never read through its view: it can stay where it is.
    placed_.clear();
    for (std::size_t i = 0; i < images.size(); ++i) {
        const ByteView& bytes = images[i].bytes;
        if (bytes.Size() != 0) {
            const auto start = reinterpret_cast<std::uintptr_t>(bytes.Data());
            placed_.push_back({start, start + bytes.Size(), i, 0});
        }
    }
    std::sort(placed_.begin(), placed_.end(),
              [](const Placed& a, const Placed& b) { return a.start < b.start; });
    runs_.clear();
    std::size_t total = 0;
    for (Placed& image : placed_) {
        if (runs_.empty() || image.start > runs_.back().end + kMaxGap) {
            runs_.push_back({image.start, image.end, total});
        } else if (image.end > runs_.back().end) {
            total -= runs_.back().end - runs_.back().start;
            runs_.back().end = image.end;
        } else {
            image.run = runs_.size() - 1;
            continue;
        }
        total += runs_.back().end - runs_.back().start;
        image.run = runs_.size() - 1;
    }

    if (buffer_.capacity() > kKeptCapacity && total <= kKeptCapacity)
        std::vector<std::uint8_t>().swap(buffer_);
    try {
        if (buffer_.size() < total)
            buffer_.resize(total);
    } catch (const std::bad_alloc&) {
        images.clear();
        return false;
    }
    for (const Run& run : runs_) {
        const ByteView part(reinterpret_cast<const std::uint8_t*>(run.start), run.end - run.start);
        if (!file.CopyBytes(part, buffer_.data() + run.into)) {
            images.clear();
            return false;
        }
    }
    for (const Placed& image : placed_) {
        const Run& run = runs_[image.run];
        ByteView& bytes = images[image.index].bytes;
        bytes = ByteView(buffer_.data() + run.into + (image.start - run.start), bytes.Size());
    }
    return true;
}

} // namespace quarvel
