// Area-averaging downscale, across then down: a box of exact coverage is separable.
// Colours are weighed by alpha, so a transparent pixel's colour (often black) never darkens an
// edge.
#include "ImageScaler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quarvel {

namespace {

// The source pixels one target pixel covers: from `first`, each with the share of the target it
// makes up (the shares add up to 1).
struct Coverage {
    int first = 0;
    std::vector<float> weights;
};

// Target pixel x of `to` covers source [x * from / to, (x + 1) * from / to) of `from` pixels.
std::vector<Coverage> CoverageOf(int from, int to) {
    std::vector<Coverage> spans(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int x = 0; x < to; ++x) {
        const double begin = static_cast<double>(x) * from / to;
        const double end = x + 1 == to ? from : static_cast<double>(x + 1) * from / to;
        Coverage& span = spans[static_cast<std::size_t>(x)];
        span.first = static_cast<int>(begin);
        const int last = std::min(from, static_cast<int>(std::ceil(end)));
        for (int i = span.first; i < last; ++i) {
            const double covered = std::min(end, i + 1.0) - std::max(begin, static_cast<double>(i));
            span.weights.push_back(static_cast<float>(covered / scale));
        }
    }
    return spans;
}

// Rounds a value in [0, 255] or slightly outside it to the nearest byte.
std::uint8_t ToByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

// One source row premultiplied: red, green, blue times alpha, then alpha, as floats.
void Premultiply(const std::uint8_t* in, int width, float* out) {
    for (int x = 0; x < width; ++x, in += 4, out += 4) {
        const float alpha = in[3];
        out[0] = in[0] * alpha;
        out[1] = in[1] * alpha;
        out[2] = in[2] * alpha;
        out[3] = alpha;
    }
}

// One premultiplied row averaged across into `out`: the sums of each target column.
void AverageAcross(const float* in, const std::vector<Coverage>& columns, float* out) {
    for (const Coverage& span : columns) {
        float sum[4] = {};
        const float* pixel = in + static_cast<std::size_t>(span.first) * 4;
        for (const float weight : span.weights) {
            for (int c = 0; c < 4; ++c)
                sum[c] += pixel[c] * weight;
            pixel += 4;
        }
        out = std::copy(sum, sum + 4, out);
    }
}

} // namespace

bool ScaleDownInto(const RgbaImage& source, int width, int height, RgbaImage& target) {
    if (width <= 0 || height <= 0 || width > source.width || height > source.height ||
        source.pixels.size() !=
            static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height) * 4)
        return false;

    // Each target row sums the source rows it covers, each premultiplied and averaged across
    // once: a source row on a boundary is the last of one target row and the first of the next,
    // so the row last averaged is kept for it.
    const std::size_t across = static_cast<std::size_t>(width) * 4;
    const std::size_t sourceRow = static_cast<std::size_t>(source.width) * 4;
    const auto columns = CoverageOf(source.width, width);
    const auto lines = CoverageOf(source.height, height);
    std::vector<float> premultiplied(sourceRow), line(across), sum(across);
    int lineRow = -1; // the source row `line` holds
    target.width = width;
    target.height = height;
    target.pixels.resize(across * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const Coverage& span = lines[static_cast<std::size_t>(y)];
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (std::size_t k = 0; k < span.weights.size(); ++k) {
            const int row = span.first + static_cast<int>(k);
            if (row != lineRow) {
                Premultiply(&source.pixels[static_cast<std::size_t>(row) * sourceRow], source.width,
                            premultiplied.data());
                AverageAcross(premultiplied.data(), columns, line.data());
                lineRow = row;
            }
            const float weight = span.weights[k];
            for (std::size_t i = 0; i < across; ++i)
                sum[i] += line[i] * weight;
        }
        // Back to straight alpha.
        std::uint8_t* out = &target.pixels[static_cast<std::size_t>(y) * across];
        for (std::size_t i = 0; i < across; i += 4) {
            const float alpha = sum[i + 3];
            const float unpremultiply = alpha > 0.0f ? 1.0f / alpha : 0.0f;
            for (int c = 0; c < 3; ++c)
                out[i + c] = ToByte(sum[i + c] * unpremultiply);
            out[i + 3] = ToByte(alpha);
        }
    }
    return true;
}

std::optional<RgbaImage> ScaleDown(const RgbaImage& source, int width, int height) {
    RgbaImage target;
    if (!ScaleDownInto(source, width, height, target))
        return std::nullopt;
    return target;
}

} // namespace quarvel
