// Prints the time to decode a 256-pixel PNG icon image and to render it at 16, 32, 48 and 96
// pixels (decode and area-averaging downscale), the best of many runs, and the same in buffers
// kept from picture to picture. The image is drawn here:
// a shaded disc with a soft edge on a transparent field, deflated by the engine's PNG writer as
// exported icons are. `icon_sizing_bench FILE.png` times that PNG instead.
#include "../support/BestTime.h"
#include "engine/IconSizing.h"
#include "engine/PngReader.h"
#include "engine/PngWriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

using namespace quarvel;

std::vector<std::uint8_t> DrawnIcon() {
    RgbaImage image;
    image.width = image.height = 256;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const double distance = std::hypot(x - 127.5, y - 127.5);
            const double alpha = std::clamp(112.0 - distance, 0.0, 1.0) * 255;
            image.pixels.insert(image.pixels.end(),
                                {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                 static_cast<std::uint8_t>(255 - distance),
                                 static_cast<std::uint8_t>(alpha)});
        }
    return EncodePng(image).value_or(std::vector<std::uint8_t>());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::uint8_t> png;
    if (argc > 1) {
        std::ifstream in(argv[1], std::ios::binary);
        png.assign(std::istreambuf_iterator<char>(in), {});
    } else {
        png = DrawnIcon();
    }
    const ByteView bytes(png.data(), png.size());
    const auto decoded = DecodePng(bytes);
    if (!decoded) {
        std::fprintf(stderr, "icon_sizing_bench: not a PNG the engine reads\n");
        return 1;
    }
    constexpr int kRuns = 200;
    std::printf("PNG of %dx%d, %zu bytes; best of %d runs\n", decoded->width, decoded->height,
                png.size(), kRuns);
    std::printf("  decode              %8.1f us\n",
                bench::BestTime<std::micro>(kRuns, [&] { (void)DecodePng(bytes); }));
    for (const int side : {16, 32, 48, 96}) {
        std::printf(
            "  decode + scale %3d  %8.1f us\n", side,
            bench::BestTime<std::micro>(kRuns, [&] { (void)RenderImageAtSide(bytes, side); }));
    }
    // As the icon list renders: picture after picture in the same buffers.
    RenderBuffers buffers;
    for (const int side : {16, 96, 256}) {
        std::printf("  in kept buffers %3d %8.1f us\n", side,
                    bench::BestTime<std::micro>(
                        kRuns, [&] { (void)RenderImageAtSide(bytes, side, buffers); }));
    }
    return 0;
}
