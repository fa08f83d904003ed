// The inputs that the corpus generator writes: sound seeds for the fuzz targets and damaged
// files made on purpose, one named input per file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::fuzz {

struct NamedInput {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Sound image files (PE32 and PE32+, bitmap and PNG images, named groups, several languages)
// and .ico files.
std::vector<NamedInput> SeedInputs();

// Every kind of damage the readers must survive: cycles in the resource tree, counts and
// lengths that run past the end, sections past the end or overlapping, sizes of 0xFFFFFFFF,
// broken group and .ico directories, truncated PNG images, and sound files cut inside every
// structure.
std::vector<NamedInput> MalformedInputs();

// Sound .cur and .ani files and an image with group cursors (part of SeedInputs), and damaged
// .ani and .cur files (part of MalformedInputs).
void AddCursorSeeds(std::vector<NamedInput>& out);
void AddCursorDamage(std::vector<NamedInput>& out);

} // namespace quarvel::fuzz
