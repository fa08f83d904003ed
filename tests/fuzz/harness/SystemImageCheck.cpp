// Reading checked images the way the system does.
#include "SystemImageCheck.h"

#include "engine/ImageCheck.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#ifdef _WIN32
#include "engine/DisplayIcon.h"
#endif

namespace quarvel::fuzz {

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

// Header, colour table, then the colour rows and the mask rows, row by row, each padded to 32
// bits, with nothing but the header's word for where things are. Answers a sum of every byte
// so that no read can be left out.
unsigned ReadAsTheSystemDoes(const std::uint8_t* image) {
    const std::uint32_t headerSize = Le32(image);
    const auto width = static_cast<std::int32_t>(Le32(image + 4));
    const auto rows = static_cast<std::int32_t>(Le32(image + 8)) / 2;
    const unsigned bits = image[14] | (image[15] << 8);
    std::uint32_t colours = Le32(image + 32);
    if (colours == 0 && bits <= 8)
        colours = 1u << bits;
    unsigned sum = 0;
    const std::uint8_t* at = image;
    for (std::uint32_t i = 0; i < headerSize + 4 * colours; ++i)
        sum += *at++;
    for (const unsigned rowBits : {bits, 1u}) {
        const std::size_t stride = ((std::size_t(width) * rowBits + 31) / 32) * 4;
        for (std::int32_t y = 0; y < rows; ++y, at += stride)
            sum += at[0] + at[stride - 1];
    }
    return sum;
}

} // namespace

std::string CheckImageForSystem(const ByteView& image) {
    std::vector<std::uint8_t> scratch;
    const auto handed = ImageForSystem(image, scratch);
    if (handed.has_value() != IsSoundIconImage(image))
        return "ImageForSystem and IsSoundIconImage disagree";
    if (!handed)
        return "";
    // A copy of exactly what the system gets: the sanitizers see any read past it.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[handed->Size()]);
    std::memcpy(exact.get(), handed->Data(), handed->Size());
    const ByteView copy(exact.get(), handed->Size());
    if (BitmapImageBytes(copy) > handed->Size())
        return "a bitmap reaches the system with fewer bytes than its header promises";
    volatile unsigned sink = 0;
    if (BitmapImageBytes(copy) != 0)
        sink = ReadAsTheSystemDoes(exact.get());
    (void)sink;
#ifdef _WIN32
    if (HICON icon = CreateIconFromImage(image.Data(), static_cast<std::uint32_t>(image.Size())))
        DestroyIcon(icon);
#endif
    return "";
}

} // namespace quarvel::fuzz
