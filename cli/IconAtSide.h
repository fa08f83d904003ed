// An icon as a PNG picture for a side: what `extract --size` saves and `thumbnail` writes.
#pragma once

#include "engine/IconImageSet.h"
#include "engine/PngExport.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel::cli {

struct PictureAtSide {
    int entry = -1;      // the image chosen (ChooseImageForSide)
    bool scaled = false; // scaled down to the side, else the image as it is
    ImageFacts facts;    // the picture's size and depth (a scaled picture is 32 bits)
    std::optional<std::vector<std::uint8_t>> png; // nothing when the image cannot be decoded
};

// The icon at `side` pixels: its image of that width, else its narrowest wider image scaled
// down, else its widest narrower image as it is; a PNG image as it is is copied byte for byte
// (once it is known to decode).
// Nothing when the icon has no image of a known size.
std::optional<PictureAtSide> RenderIconAtSide(const CIconImageSet& set, int side);

} // namespace quarvel::cli
