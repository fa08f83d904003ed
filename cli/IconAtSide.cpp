// The one path from an icon's images to its picture at a side.
#include "IconAtSide.h"

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
    if (!choice->scaled) {
        picture.facts = ReadImageFacts(image).value_or(ImageFacts{choice->width, 0, 0});
        picture.png = IconImageAsPng(image);
        return picture;
    }
    const auto pixels = RenderImageAtSide(image, side);
    picture.facts = {side, pixels ? pixels->height : side, 32};
    if (pixels)
        picture.png = EncodePng(*pixels);
    return picture;
}

} // namespace quarvel::cli
