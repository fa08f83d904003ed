// The checks that the fuzz targets and the malformed-input regression test run on bytes taken
// as a file. Each answers "" when every promise of the engine held, else what broke; memory
// errors and undefined behaviour are the sanitizers' to report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quarvel::fuzz {

// Listing, the display image choice, ReadGroupImages and SaveGroupAsIco for every listed group,
// with the written files read back. `folder` is an empty scratch folder, left empty.
std::string CheckImageFile(const std::uint8_t* data, std::size_t size, const std::string& folder);

// ReadIcoFileImages, then WriteIcoFile of the set and a read-back that must give the same images.
std::string CheckIcoFile(const std::uint8_t* data, std::size_t size, const std::string& folder);

// quarvel-cli list and extract on the bytes stored as an image file and as an .ico file.
std::string CheckCommandLine(const std::uint8_t* data, std::size_t size, const std::string& folder);

// DecodeIconImage and RenderImageAtSide at the cell sides on the bytes as one stored image (a PNG
// also with its CRCs mended), and the image chosen for each side when they are an .ico file.
std::string CheckIconImage(const std::uint8_t* data, std::size_t size, const std::string& folder);

// Groups checked per input: a hostile tree can list a group per 8 bytes, and each group is
// looked up again from the root, as the program does.
constexpr std::size_t kMaxGroupsChecked = 64;

} // namespace quarvel::fuzz
