// Choosing and rendering an icon's image for a side.
#include "IconSizing.h"

#include "IconImage.h"
#include "IconImageFinder.h"
#include "ImageLimits.h"
#include "ImageScaler.h"
#include "PngReader.h"

#include <algorithm>
#include <set>

namespace quarvel {

namespace {

constexpr int kWidthByteZero = 256; // what a width byte of 0 stands for

// The deepest usable candidate of exactly `width`, the first of equals; -1 when there is none.
int DeepestOfWidth(const std::vector<SideCandidate>& images, int width) {
    int chosen = -1;
    for (int i = 0; i < static_cast<int>(images.size()); ++i)
        if (images[i].width == width &&
            (chosen < 0 || images[i].bitCount > images[chosen].bitCount))
            chosen = i;
    return chosen;
}

template <typename Entry> SideCandidate CandidateOf(const Entry& entry, const ByteView& image) {
    return SideCandidate{EntryImageWidth(entry, image), entry.wBitCount};
}

} // namespace

int EntryImageWidth(const IconEntryFields& entry, const ByteView& image) {
    if (entry.bWidth != 0)
        return entry.bWidth;
    if (!IsPngImage(image))
        return kWidthByteZero;
    const auto width = ImageWidth(image);
    return width && *width > 0 && static_cast<std::uint64_t>(*width) <= kMaxDecodedPixels
               ? static_cast<int>(*width)
               : 0;
}

std::optional<SideChoice> ChooseForSide(const std::vector<SideCandidate>& images, int side) {
    if (side <= 0)
        return std::nullopt;
    int wider = 0, narrower = 0; // the narrowest wider and the widest narrower widths seen
    for (const auto& image : images) {
        if (image.width <= 0)
            continue;
        if (image.width > side && (wider == 0 || image.width < wider))
            wider = image.width;
        if (image.width < side && image.width > narrower)
            narrower = image.width;
    }
    for (const int width : {side, wider, narrower}) {
        const int entry = width > 0 ? DeepestOfWidth(images, width) : -1;
        if (entry >= 0)
            return SideChoice{entry, width, width > side};
    }
    return std::nullopt;
}

std::optional<SideChoice> ChooseImageForSide(const CIconImageSet& set, int side) {
    std::vector<SideCandidate> images;
    for (const auto& entry : set.entries)
        images.push_back(CandidateOf(entry, ByteView(entry.image.data(), entry.image.size())));
    return ChooseForSide(images, side);
}

std::optional<SideImage> ChooseGroupImageForSide(const GroupIcon& group, IconImageFinder& images,
                                                 int side) {
    std::vector<SideCandidate> candidates;
    std::vector<ByteView> bytes;
    for (int i = 0; i < group.Count(); ++i) {
        const auto entry = group.Entry(i);
        const auto ref = images.Find(entry.nID, false);
        const auto image = ref ? ref->Bytes() : std::nullopt;
        bytes.push_back(image ? *image : ByteView());
        candidates.push_back(image ? CandidateOf(entry, *image) : SideCandidate{});
    }
    const auto choice = ChooseForSide(candidates, side);
    if (!choice)
        return std::nullopt;
    return SideImage{*choice, bytes[choice->entry]};
}

std::optional<SideImage> ChooseIcoImageForSide(const IcoDirectory& directory, int side) {
    std::vector<SideCandidate> candidates;
    std::vector<ByteView> bytes;
    for (int i = 0; i < directory.EntriesInFile(); ++i) {
        const auto image = directory.Image(i);
        bytes.push_back(image ? *image : ByteView());
        candidates.push_back(image ? CandidateOf(directory.Entry(i), *image) : SideCandidate{});
    }
    const auto choice = ChooseForSide(candidates, side);
    if (!choice)
        return std::nullopt;
    return SideImage{*choice, bytes[choice->entry]};
}

std::vector<int> EntryImageWidths(const CIconImageSet& set) {
    std::vector<int> widths;
    for (const auto& entry : set.entries)
        widths.push_back(EntryImageWidth(entry, ByteView(entry.image.data(), entry.image.size())));
    return widths;
}

std::string SizesTooltip(const std::vector<int>& widths, const std::optional<SideChoice>& choice,
                         int side) {
    if (!choice)
        return {};
    std::set<int> distinct;
    for (const int width : widths)
        if (width > 0)
            distinct.insert(width);
    std::string text;
    for (const int width : distinct)
        text += (text.empty() ? "" : ", ") + std::to_string(width);
    text += (text.empty() ? "(shown: " : " (shown: ") + std::to_string(choice->width);
    if (choice->scaled)
        text += " scaled to " + std::to_string(side);
    return text + ")";
}

std::optional<RgbaImage> DecodeIconImage(const ByteView& image) {
    return IsPngImage(image) ? DecodePng(image) : DecodeIconBitmap(image);
}

namespace {

// What the buffers keep between pictures: a 256-pixel image and its inflated rows.
constexpr std::size_t kKeptBytes = 256 * 257 * 4;

void LetGoOfMoreThanKept(std::vector<std::uint8_t>& bytes) {
    if (bytes.capacity() > kKeptBytes)
        std::vector<std::uint8_t>().swap(bytes);
}

} // namespace

RgbaImage* RenderImageAtSide(const ByteView& image, int side, RenderBuffers& buffers) {
    LetGoOfMoreThanKept(buffers.raw);
    LetGoOfMoreThanKept(buffers.decoded.pixels);
    LetGoOfMoreThanKept(buffers.scaled.pixels);
    if (side <= 0)
        return nullptr;
    RgbaImage& pixels = buffers.decoded;
    if (IsPngImage(image)) {
        if (!DecodePngInto(image, pixels, buffers.raw))
            return nullptr;
    } else {
        auto bitmap = DecodeIconBitmap(image);
        if (!bitmap)
            return nullptr;
        pixels = std::move(*bitmap);
    }
    if (pixels.width <= side)
        return &pixels;
    // The height follows the width's scale, rounded, and at least one row.
    const std::uint64_t height =
        (std::uint64_t{static_cast<std::uint32_t>(pixels.height)} * side + pixels.width / 2) /
        pixels.width;
    return ScaleDownInto(pixels, side, static_cast<int>(std::max<std::uint64_t>(height, 1)),
                         buffers.scaled)
               ? &buffers.scaled
               : nullptr;
}

std::optional<RgbaImage> RenderImageAtSide(const ByteView& image, int side) {
    RenderBuffers buffers;
    RgbaImage* pixels = RenderImageAtSide(image, side, buffers);
    if (!pixels)
        return std::nullopt;
    return std::move(*pixels);
}

} // namespace quarvel
