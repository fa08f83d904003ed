// Writing .ico files: from an image set, or straight from a group icon of an image file
// (CPEFile::SaveGroupAsIco); and the default file name of a group icon.
#pragma once

#include "IconImageSet.h"
#include "ResKey.h"

#include <string>

namespace quarvel {

// Writes the first `count` entries of the set as an .ico file (replacing a file at the path).
// Updates the entries in place: offsets, bColorCount (recomputed), bReserved 0, and biSizeImage
// 0 in bitmap images. Answers 1, or 0 with nothing written.
int WriteIcoFile(const char* path, CIconImageSet* set);

// The file name part of `path`, "#", then the id in decimal or the name: shell32.dll#3.
std::string MakeDefaultIconName(const char* path, ResKey name);

// The text after the last folder separator ('\' or '/'); the whole path when there is none
// or it is the first character.
std::string FileNameOf(const char* path);

} // namespace quarvel
