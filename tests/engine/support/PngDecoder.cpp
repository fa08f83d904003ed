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

std::uint32_t Be16(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 8 | p[1];
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
    int colourType = -1, depth = 0;
    std::vector<std::uint8_t> idat, palette, paletteAlpha;
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
            if (length != 13 || body[10] != 0 || body[11] != 0 || body[12] != 0)
                return Fail(error, "unsupported IHDR");
            out.width = static_cast<int>(Be32(body));
            out.height = static_cast<int>(Be32(body + 4));
            depth = body[8];
            colourType = body[9];
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            palette.assign(body, body + length);
        } else if (std::memcmp(type, "tRNS", 4) == 0) {
            paletteAlpha.assign(body, body + length);
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            idat.insert(idat.end(), body, body + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
        }
        at += 12 + length;
    }
    std::size_t channels = 0;
    switch (colourType) {
    case 0:
    case 3:
        channels = 1;
        break;
    case 2:
        channels = 3;
        break;
    case 4:
        channels = 2;
        break;
    case 6:
        channels = 4;
        break;
    default:
        return Fail(error, "colour type " + std::to_string(colourType));
    }
    if (depth != 8 && depth != 16 &&
        !((colourType == 3 || colourType == 0) && (depth == 1 || depth == 2 || depth == 4)))
        return Fail(error, "depth " + std::to_string(depth));
    const std::size_t bitsPerPixel = channels * static_cast<std::size_t>(depth);
    const std::size_t unit = bitsPerPixel < 8 ? 1 : bitsPerPixel / 8; // the filters' "left"
    const std::size_t stride = (bitsPerPixel * static_cast<std::size_t>(out.width) + 7) / 8;
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
            const int a = i >= unit ? row[i - unit] : 0;
            const int b = up ? up[i] : 0;
            const int c = up && i >= unit ? up[i - unit] : 0;
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
    // Sample k of pixel x on row y: its high byte at 16 bits, the index itself below 8.
    const auto sample = [&](int y, int x, std::size_t k) -> std::uint32_t {
        const std::uint8_t* row = &rows[stride * static_cast<std::size_t>(y)];
        if (depth < 8) {
            const std::size_t bit = static_cast<std::size_t>(x) * depth;
            return row[bit / 8] >> (8 - depth - bit % 8) & ((1u << depth) - 1);
        }
        return row[(static_cast<std::size_t>(x) * channels + k) * (depth / 8)];
    };
    out.rgba.resize(4 * static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            std::uint8_t* to = &out.rgba[4 * (static_cast<std::size_t>(y) * out.width + x)];
            if (colourType == 3) {
                const std::uint32_t index = sample(y, x, 0);
                if (3 * index + 2 >= palette.size())
                    return Fail(error, "index outside the palette");
                std::memcpy(to, &palette[3 * index], 3);
                to[3] = index < paletteAlpha.size() ? paletteAlpha[index] : 255;
                continue;
            }
            const bool grey = colourType == 0 || colourType == 4;
            // Grey of fewer than 8 bits is stretched to the full range.
            const std::uint32_t scale = depth < 8 ? 255 / ((1u << depth) - 1) : 1;
            for (std::size_t k = 0; k < 3; ++k)
                to[k] = static_cast<std::uint8_t>(sample(y, x, grey ? 0 : k) * scale);
            const bool alpha = colourType == 4 || colourType == 6;
            to[3] = alpha ? static_cast<std::uint8_t>(sample(y, x, channels - 1)) : 255;
            // tRNS of a grey or RGB image names one colour (16-bit samples) as transparent.
            bool keyed = !alpha && depth <= 8 && paletteAlpha.size() >= 2 * channels;
            for (std::size_t k = 0; keyed && k < channels; ++k)
                keyed = sample(y, x, k) == Be16(&paletteAlpha[2 * k]);
            if (keyed)
                to[3] = 0;
        }
    }
    return out;
}

} // namespace quarvel::test
