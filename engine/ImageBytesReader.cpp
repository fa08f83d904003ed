// Runs of neighbouring images are read at once: a group's images usually lie one after another,
// a few bytes of alignment apart.
#include "ImageBytesReader.h"

#include "PEFile.h"

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
    std::vector<Run>& runs = runs_;
    runs.clear();
    std::size_t total = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        // An empty image is never read through its view: it can stay where it is.
        if (images[i].bytes.Size() == 0)
            continue;
        const auto start = reinterpret_cast<std::uintptr_t>(images[i].bytes.Data());
        const std::uintptr_t end = start + images[i].bytes.Size();
        if (!runs.empty() && start >= runs.back().end && start - runs.back().end <= kMaxGap) {
            total += end - runs.back().end;
            runs.back().end = end;
            runs.back().images = i + 1 - runs.back().firstImage;
            continue;
        }
        runs.push_back({start, end, i, 1});
        total += end - start;
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
    std::uint8_t* to = buffer_.data();
    for (const Run& run : runs) {
        const auto* from = reinterpret_cast<const std::uint8_t*>(run.start);
        if (!file.CopyBytes(ByteView(from, run.end - run.start), to)) {
            images.clear();
            return false;
        }
        for (std::size_t i = run.firstImage; i < run.firstImage + run.images; ++i) {
            ByteView& bytes = images[i].bytes;
            if (bytes.Size() != 0)
                bytes = ByteView(to + (reinterpret_cast<std::uintptr_t>(bytes.Data()) - run.start),
                                 bytes.Size());
        }
        to += run.end - run.start;
    }
    return true;
}

} // namespace quarvel
