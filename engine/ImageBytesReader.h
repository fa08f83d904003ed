// Copies the images that spans view in an image file into one buffer, reused from icon to icon,
// with plain positioned reads (one per run of neighbouring images, usually one a group), and points
// the spans there. Hashing thousands of icons reads each image once: a plain read costs a fraction
// of faulting the image's pages into the file's mapping and unmapping them again.
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
    struct Placed {
        std::uintptr_t start, end; // where the image lies in the file's view
        std::size_t index;         // among the spans' images
        std::size_t run;
    };
    struct Run {
        std::uintptr_t start, end; // in the file's view
        std::size_t into;          // where it is read to in the buffer
    };
    std::vector<Placed> placed_;
    std::vector<Run> runs_;
    std::vector<std::uint8_t> buffer_;
};

} // namespace quarvel
