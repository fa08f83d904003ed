// Copies the images that spans view in an image file into one buffer, reused from icon to icon,
// with plain positioned reads (one per run of neighbouring images), and points the spans there.
// Hashing thousands of icons reads each image once: a plain read costs a fraction of faulting
// the image's pages into the file's mapping and unmapping them again.
#pragma once

#include "IconImageSpans.h"

#include <cstdint>
#include <vector>

namespace quarvel {

class CPEFile;

class ImageBytesReader {
public:
    // Repoints `spans`, views of `file`'s View(), to copies of the same bytes, valid until the
    // next call. False with the spans emptied when an image is not inside the view, the file no
    // longer holds its bytes (it shrank or cannot be read) or memory runs out.
    bool Read(const CPEFile& file, IconImageSpans& spans);

private:
    struct Run {
        std::uintptr_t start, end;      // addresses in the file's view
        std::size_t firstImage, images; // the images it holds, from the spans' first
    };
    std::vector<std::uint8_t> buffer_;
    std::vector<Run> runs_;
};

} // namespace quarvel
