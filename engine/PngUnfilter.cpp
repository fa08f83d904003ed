// Row unfiltering. The filters that predict from the pixel to the left (Sub, Average, Paeth) form
// a chain from pixel to pixel; with four bytes a pixel (8-bit RGBA, the icons' common case) the
// four channels of a pixel go through the chain together in one SSE2 register where the
// processor has it. Every byte of a 256-pixel image passes through here once.
#include "PngUnfilter.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

namespace {

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

bool UnfilterBytes(int filter, std::uint8_t* row, const std::uint8_t* above, std::size_t size,
                   std::size_t bpp) {
    const auto add = [&](std::size_t i, int predicted) {
        row[i] = static_cast<std::uint8_t>(row[i] + predicted);
    };
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = bpp; i < size; ++i)
            add(i, row[i - bpp]);
        return true;
    case 2:
        for (std::size_t i = 0; i < size; ++i)
            add(i, above[i]);
        return true;
    case 3:
        for (std::size_t i = 0; i < size; ++i)
            add(i, ((i >= bpp ? row[i - bpp] : 0) + above[i]) / 2);
        return true;
    case 4:
        for (std::size_t i = 0; i < size; ++i)
            add(i, i >= bpp ? Paeth(row[i - bpp], above[i], above[i - bpp]) : above[i]);
        return true;
    default:
        return false;
    }
}

#if defined(__SSE2__)
// One pixel's four bytes widened to 16-bit lanes, and back.
__m128i Load4(const std::uint8_t* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(v), _mm_setzero_si128());
}
void Store4(std::uint8_t* p, __m128i lanes) {
    const std::int32_t v = _mm_cvtsi128_si32(_mm_packus_epi16(lanes, lanes));
    std::memcpy(p, &v, 4);
}
__m128i Abs16(__m128i x) {
    return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x));
}
__m128i Select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// Sub, Average and Paeth over whole 4-byte pixels; `left` and `upLeft` start at zero. The lanes'
// high bytes stay zero, so a byte-wise add takes prediction plus stored byte modulo 256.
bool UnfilterPixels4(int filter, std::uint8_t* row, const std::uint8_t* above, std::size_t size) {
    __m128i left = _mm_setzero_si128(), upLeft = _mm_setzero_si128();
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        const __m128i stored = Load4(row + i);
        __m128i predicted;
        if (filter == 1) {
            predicted = left;
        } else if (filter == 3) {
            predicted = _mm_srli_epi16(_mm_add_epi16(left, Load4(above + i)), 1);
        } else {
            const __m128i up = Load4(above + i);
            // p = a + b - c, so |p - a| = |b - c|, |p - b| = |a - c|, |p - c| = |both summed|.
            const __m128i toUp = _mm_sub_epi16(up, upLeft), toLeft = _mm_sub_epi16(left, upLeft);
            const __m128i pa = Abs16(toUp), pb = Abs16(toLeft),
                          pc = Abs16(_mm_add_epi16(toUp, toLeft));
            const __m128i smallest = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
            // Ties go to the left, then to the one above.
            predicted = Select(_mm_cmpeq_epi16(smallest, pa), left,
                               Select(_mm_cmpeq_epi16(smallest, pb), up, upLeft));
            upLeft = up;
        }
        left = _mm_add_epi8(stored, predicted);
        Store4(row + i, left);
    }
    return true;
}
#endif

} // namespace

bool UnfilterRow(int filter, std::uint8_t* row, const std::uint8_t* above, std::size_t size,
                 std::size_t bpp) {
#if defined(__SSE2__)
    if (bpp == 4 && (filter == 1 || filter == 3 || filter == 4))
        return UnfilterPixels4(filter, row, above, size);
#endif
    return UnfilterBytes(filter, row, above, size, bpp);
}

} // namespace quarvel
