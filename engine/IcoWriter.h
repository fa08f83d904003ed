// Writing .ico files: from an image set, or straight from a group icon of an image file
// (CPEFile::SaveGroupAsIco); and the default file name of a group icon.
#pragma once

#include "IconImageSet.h"
#include "ResKey.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarvel {

class CPEFile;

// Writes the entries of the set named by `selection`, in that order, as an .ico file, or a .cur
// file for a cursor's set (replacing a file at the path unless told otherwise): bColorCount
// recomputed from the planes and bit count (a cursor's from its image's bit count, its planes
// and bit count fields holding the hot spot), bReserved 0, and biSizeImage (for a cursor also
// biXPelsPerMeter and biYPelsPerMeter) 0 in bitmap images; the set itself is left as it is. False,
// with nothing written, for an empty selection, an index outside the set or an entry whose image is
// not dwBytesInRes bytes long.
bool WriteIcoFile(const char* path, const CIconImageSet& set, const std::vector<int>& selection,
                  bool overwrite = true);
// The file WriteIcoFile writes, laid out in memory; nothing where the write would fail.
std::optional<std::vector<std::uint8_t>> IcoFileBytes(const CIconImageSet& set,
                                                      const std::vector<int>& selection);
// Writes every entry of the set, in order.
bool WriteIcoFile(const char* path, const CIconImageSet& set);

// The .ico file of a group icon as CPEFile::SaveGroupAsIco writes it, laid out in memory; nothing
// where the save would fail.
std::optional<std::vector<std::uint8_t>> GroupIcoFileBytes(const CPEFile& file, ResKey name,
                                                           std::uint16_t language);

// The file name part of `path`, "#", then the id in decimal or the name: shell32.dll#3.
std::string MakeDefaultIconName(const char* path, ResKey name);

// The text after the last folder separator ('\' or '/'); the whole path when there is none
// or it is the first character.
std::string FileNameOf(const char* path);

} // namespace quarvel
