// Decoding PNG streams for the tests.
#include "PngDecoder.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace quarvel::test {

namespace {

std::uint32_t Be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

int PaethPredictor(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

std::optional<DecodedPng> Fail(std::string* error, const std::string& why) {
    if (error)
        *error = why;
    return std::nullopt;
}

} // namespace

std::optional<DecodedPng> DecodePng(const std::vector<std::uint8_t>& png, std::string* error) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (png.size() < 8 || std::memcmp(png.data(), kSignature, 8) != 0)
        return Fail(error, "no PNG signature");
    DecodedPng out;
    int colourType = -1;
    std::vector<std::uint8_t> idat;
    bool ended = false;
    for (std::size_t at = 8; !ended;) {
        if (png.size() - at < 12)
            return Fail(error, "truncated chunk");
        const std::uint32_t length = Be32(&png[at]);
        if (png.size() - at - 12 < length)
            return Fail(error, "chunk past the end");
        const std::uint8_t* type = &png[at + 4];
        const std::uint8_t* body = type + 4;
        if (crc32(0, type, 4 + length) != Be32(body + length))
            return Fail(error, "bad CRC");
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (length != 13 || body[8] != 8 || body[10] != 0 || body[11] != 0 || body[12] != 0)
                return Fail(error, "unsupported IHDR");
            out.width = static_cast<int>(Be32(body));
            out.height = static_cast<int>(Be32(body + 4));
            colourType = body[9];
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            idat.insert(idat.end(), body, body + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
        }
        at += 12 + length;
    }
    if (colourType != 6 && colourType != 2)
        return Fail(error, "colour type " + std::to_string(colourType));
    const std::size_t channels = colourType == 6 ? 4 : 3;
    const std::size_t stride = channels * static_cast<std::size_t>(out.width);
    std::vector<std::uint8_t> raw((stride + 1) * static_cast<std::size_t>(out.height));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())) != Z_OK ||
        rawSize != raw.size())
        return Fail(error, "image data does not inflate to its rows");
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        const std::uint8_t* in = &raw[(stride + 1) * static_cast<std::size_t>(y)];
        std::uint8_t* row = &rows[stride * static_cast<std::size_t>(y)];
        const std::uint8_t* up = y > 0 ? row - stride : nullptr;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= channels ? row[i - channels] : 0;
            const int b = up ? up[i] : 0;
            const int c = up && i >= channels ? up[i - channels] : 0;
            int predictor = 0;
            switch (in[0]) {
            case 0:
                break;
            case 1:
                predictor = a;
                break;
            case 2:
                predictor = b;
                break;
            case 3:
                predictor = (a + b) / 2;
                break;
            case 4:
                predictor = PaethPredictor(a, b, c);
                break;
            default:
                return Fail(error, "unknown filter");
            }
            row[i] = static_cast<std::uint8_t>(in[1 + i] + predictor);
        }
    }
    out.rgba.resize(4 * static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (std::size_t p = 0; p < out.rgba.size() / 4; ++p) {
        for (std::size_t k = 0; k < 3; ++k)
            out.rgba[4 * p + k] = rows[channels * p + k];
        out.rgba[4 * p + 3] = channels == 4 ? rows[4 * p + 3] : 255;
    }
    return out;
}

} // namespace quarvel::test
