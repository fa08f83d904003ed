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

std::uint8_t ToByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
}

// One source row averaged across into `out`: premultiplied sums (red, green, blue times alpha,
// then alpha) of each target column.
void AverageAcross(const std::uint8_t* in, const std::vector<Coverage>& columns, float* out) {
    for (const Coverage& span : columns) {
        float sum[4] = {};
        for (std::size_t k = 0; k < span.weights.size(); ++k) {
            const std::uint8_t* pixel = in + (span.first + k) * 4;
            const float alpha = pixel[3] * span.weights[k];
            for (int c = 0; c < 3; ++c)
                sum[c] += pixel[c] * alpha;
            sum[3] += alpha;
        }
        out = std::copy(sum, sum + 4, out);
    }
}

} // namespace

std::optional<RgbaImage> ScaleDown(const RgbaImage& source, int width, int height) {
    if (width <= 0 || height <= 0 || width > source.width || height > source.height ||
        source.pixels.size() !=
            static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height) * 4)
        return std::nullopt;

    // Each target row sums the source rows it covers, each averaged across first; a source row
    // on a boundary is averaged for both its target rows, which keeps the memory to two rows.
    const std::size_t across = static_cast<std::size_t>(width) * 4;
    const std::size_t sourceRow = static_cast<std::size_t>(source.width) * 4;
    const auto columns = CoverageOf(source.width, width);
    const auto lines = CoverageOf(source.height, height);
    std::vector<float> line(across), sum(across);
    RgbaImage target;
    target.width = width;
    target.height = height;
    target.pixels.resize(across * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const Coverage& span = lines[static_cast<std::size_t>(y)];
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (std::size_t k = 0; k < span.weights.size(); ++k) {
            AverageAcross(&source.pixels[(span.first + k) * sourceRow], columns, line.data());
            for (std::size_t i = 0; i < across; ++i)
                sum[i] += line[i] * span.weights[k];
        }
        // Back to straight alpha.
        std::uint8_t* out = &target.pixels[static_cast<std::size_t>(y) * across];
        for (std::size_t i = 0; i < across; i += 4) {
            for (int c = 0; c < 3; ++c)
                out[i + c] = sum[i + 3] > 0.0f ? ToByte(sum[i + c] / sum[i + 3]) : 0;
            out[i + 3] = ToByte(sum[i + 3]);
        }
    }
    return target;
}

} // namespace quarvel
