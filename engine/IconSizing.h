// Showing an icon at any side from 16 to 256 pixels: which of its images to use, the pixels made
// from it (scaled down when wider, never up), and the words that say which sizes are real.
#pragma once

#include "ByteView.h"
#include "GroupIcon.h"
#include "IcoDirectory.h"
#include "IconBitmap.h"
#include "IconImageSet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarvel {

class IconImageFinder;

// One image as the choice sees it: its real width and depth. A width of 0 or less marks an image
// that cannot be used (missing, or outside its file); the choice passes over it.
struct SideCandidate {
    int width = 0;
    int bitCount = 0;
};

// The image chosen for a side: its index among the entries, its real width, and whether it is
// scaled down to the side (else it is shown at its own size: equal to the side, or narrower and
// centred by the caller).
struct SideChoice {
    int entry = -1;
    int width = 0;
    bool scaled = false;
};

// A choice made in a directory, with the chosen image's bytes.
struct SideImage {
    SideChoice choice;
    ByteView image;
};

// The real width of an entry's image: bWidth, where 0 stands for 256, but for a PNG image whose
// entry says 0 the width of its header (0 when that header cannot be read).
int EntryImageWidth(const IconEntryFields& entry, const ByteView& image);

// For a picture `side` pixels wide: among the entries of that width, the deepest (the first of
// equals); else the narrowest entry wider than the side, scaled down (the deepest of that width);
// else the widest narrower entry at its own size (the deepest of that width). Never scaled up.
// Nothing when no candidate is usable or the side is not positive.
std::optional<SideChoice> ChooseForSide(const std::vector<SideCandidate>& images, int side);

// The same over an icon in memory, a group icon (its images found in any language) and an .ico
// file's directory (entries whose image lies whole inside the file).
std::optional<SideChoice> ChooseImageForSide(const CIconImageSet& set, int side);
std::optional<SideImage> ChooseGroupImageForSide(const GroupIcon& group, IconImageFinder& images,
                                                 int side);
std::optional<SideImage> ChooseIcoImageForSide(const IcoDirectory& directory, int side);

// The real widths of an icon's entries, in directory order (EntryImageWidth of each).
std::vector<int> EntryImageWidths(const CIconImageSet& set);

// "16, 32, 48, 256 (shown: 256 scaled to 96)": the distinct usable widths, smallest first, and
// the image shown ("(shown: 48)" when it is shown at its own size). Empty without a choice.
std::string SizesTooltip(const std::vector<int>& widths, const std::optional<SideChoice>& choice,
                         int side);

// The straight RGBA pixels of a stored icon image, a bitmap (DecodeIconBitmap) or a PNG
// (DecodePng). Nothing when it cannot be decoded.
std::optional<RgbaImage> DecodeIconImage(const ByteView& image);

// The pixels of an image for a side: decoded, and when it is wider than the side scaled down to
// `side` pixels wide, its height in proportion (rounded, at least 1), by ScaleDown; an image no
// wider is answered as it is. Nothing when the image cannot be decoded or the side is not
// positive.
std::optional<RgbaImage> RenderImageAtSide(const ByteView& image, int side);

// The memory that one picture after another at a side is made in: the inflated rows of a PNG,
// the decoded image and the scaled one. It keeps what a 256-pixel image needs from picture to
// picture, so a run of pictures neither allocates nor clears; more is let go at the next use.
struct RenderBuffers {
    std::vector<std::uint8_t> raw;
    RgbaImage decoded, scaled;
};

// RenderImageAtSide in `buffers`: the pixels, which stay valid until the buffers' next use, or
// null where RenderImageAtSide answers nothing.
RgbaImage* RenderImageAtSide(const ByteView& image, int side, RenderBuffers& buffers);

} // namespace quarvel
