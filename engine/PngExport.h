// Saving icons as PNG files: which image stands for an icon, how an image's file is named, and
// one icon saved as the PNG of its largest image.
#pragma once

#include "ByteView.h"
#include "IconImageSet.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarvel {

class CIconItem;

// An image's own size and depth: a bitmap's biWidth, half its biHeight and biBitCount, or a
// PNG's IHDR width, height and bits per pixel.
struct ImageFacts {
    int width = 0;
    int height = 0;
    int bitCount = 0;
};
std::optional<ImageFacts> ReadImageFacts(const ByteView& image);

// "48x48x32": the part of a file name that tells an icon's images apart.
std::string ImageSizeName(const ImageFacts& facts);

// File names for the entries of the set: "<stem>-<width>x<height>x<depth>.png" (a second entry
// of the same size and depth gets "-2" before ".png", a third "-3"; an entry whose facts cannot
// be read is called "image").
std::vector<std::string> ImageFileNames(const CIconImageSet& set, const std::vector<int>& entries,
                                        const std::string& stem);

// The entry with the most pixels, the deepest among equals, the first among ties; -1 when no
// entry's facts can be read.
int LargestImage(const CIconImageSet& set);

// The images of the icon: the group's (in its language), the .ico file's, or a cursor's
// (ReadCursorImages); null when they cannot all be read.
std::unique_ptr<CIconImageSet> ReadIconImages(const CIconItem& item);

// The bytes of an entry's image.
ByteView ImageOf(const CIconImageSet& set, int entry);

// Writes the icon's largest image as a PNG file (WritePngFile).
bool SaveIconAsPng(const CIconItem& item, const char* path, bool overwrite);

} // namespace quarvel
