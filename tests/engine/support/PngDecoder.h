// A small PNG decoder for the tests, written apart from the program's PNG writer: it checks the
// signature and every chunk's CRC, inflates IDAT with zlib and undoes the row filters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarvel::test {

struct DecodedPng {
    int width = 0, height = 0;
    // Rows from the top, 4 bytes (R, G, B, A) per pixel.
    std::vector<std::uint8_t> rgba;
};

// Decodes images without interlacing: grey, RGB, grey and alpha, RGBA at 8 or 16 bits (the high
// byte kept), grey and palette images of 1 to 4 bits, with their tRNS transparency (at 8 bits or
// fewer); nothing, with the reason in `error`, for anything else or a damaged stream.
std::optional<DecodedPng> DecodePng(const std::vector<std::uint8_t>& png,
                                    std::string* error = nullptr);

} // namespace quarvel::test
