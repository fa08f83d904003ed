// PNG streams for the tests, built sample by sample with any colour type, depth, filter and
// interlacing, and their parts, so that a test can damage one of them.
#pragma once

#include "PeBuilder.h"

#include <cstdint>
#include <vector>

namespace quarvel::test {

struct PngLayout {
    int width = 1, height = 1, depth = 8, colourType = 6;
    bool interlaced = false;
    int filter = 0; // the filter of every row; 5 cycles through 0 to 4
    Bytes palette;  // PLTE data
    Bytes trns;     // tRNS data
};

// A chunk (length, type, data, CRC) added to the stream.
void AddPngChunk(Bytes& png, const char* type, const Bytes& data);

// The 13 bytes of the layout's IHDR chunk.
Bytes PngHeaderData(const PngLayout& layout);

// The image data before deflating: rows of the samples (channels per pixel, full precision)
// packed at the depth, each after its filter byte and filtered with the layout's filter, in the
// seven passes of Adam7 when interlaced.
Bytes PngRawRows(const PngLayout& layout, const std::vector<std::uint16_t>& samples);

// The bytes as a zlib stream (empty if zlib fails).
Bytes DeflateBytes(const Bytes& raw);

// Signature, IHDR, the layout's PLTE and tRNS, the data cut into `idatChunks` IDAT chunks, IEND.
Bytes AssemblePng(const PngLayout& layout, const Bytes& zdata, std::size_t idatChunks = 1);

// A whole PNG stream of the samples.
Bytes MakeTestPng(const PngLayout& layout, const std::vector<std::uint16_t>& samples);

// Pseudo-random samples of the layout's depth for every pixel.
std::vector<std::uint16_t> PngNoise(const PngLayout& layout, unsigned seed);

} // namespace quarvel::test
