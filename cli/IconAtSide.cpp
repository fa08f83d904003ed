// The one path from an icon's images to its picture at a side.
#include "IconAtSide.h"

#include "engine/IconImage.h"
#include "engine/IconSizing.h"
#include "engine/PngWriter.h"

namespace quarvel::cli {

std::optional<PictureAtSide> RenderIconAtSide(const CIconImageSet& set, int side) {
    const auto choice = ChooseImageForSide(set, side);
    if (!choice)
        return std::nullopt;
    PictureAtSide picture;
    picture.entry = choice->entry;
    picture.scaled = choice->scaled;
    const ByteView image = ImageOf(set, choice->entry);
    // Decoded even when it is copied, so that a damaged PNG image is never passed on as a picture.
    const auto pixels = RenderImageAtSide(image, side);
    if (choice->scaled)
        picture.facts = {side, pixels ? pixels->height : side, 32};
    else
        picture.facts = ReadImageFacts(image).value_or(ImageFacts{choice->width, 0, 0});
    if (!pixels)
        return picture;
    if (!choice->scaled && IsPngImage(image))
        picture.png.emplace(image.Data(), image.Data() + image.Size());
    else
        picture.png = EncodePng(*pixels);
    return picture;
}

} // namespace quarvel::cli
