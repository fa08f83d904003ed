// What a copy or a drag of icons offers, each part made only when a program asks for it: one
// image (as stored in an icon), the picture the pane shows, and files by name.
#pragma once

#include "engine/win32/GdiOwners.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarvel {

using BytesSource = std::function<std::optional<std::vector<std::uint8_t>>()>;

struct TransferFile {
    std::string name;     // a file name, in the code page of the A calls
    BytesSource contents; // the file's bytes; nothing when they cannot be read now
};

struct IconTransfer {
    // The bytes of the image offered as a picture (a bitmap or PNG icon image); empty: none.
    BytesSource image;
    // The pane's own picture as a bitmap (CF_BITMAP); empty: not offered.
    std::function<ScopedBitmap()> picture;
    std::vector<TransferFile> files;
};

} // namespace quarvel
