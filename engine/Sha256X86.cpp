// The SHA extensions work on the state as two halves, ABEF and CDGH, and on the message four
// words at a time: sha256rnds2 runs two rounds, sha256msg1 and sha256msg2 extend the schedule.
#include "Sha256X86.h"

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#define QUARVEL_SHA_X86 1
#endif

namespace quarvel {

#ifdef QUARVEL_SHA_X86

bool HasSha256Instructions() {
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    const bool ssse3 = (c & bit_SSSE3) != 0, sse41 = (c & bit_SSE4_1) != 0;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
        return false;
    return ssse3 && sse41 && (b & bit_SHA) != 0;
}

__attribute__((target("sha,sse4.1,ssse3"))) void
Sha256CompressX86(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count,
                  const std::uint32_t* roundConstants) {
    // Big-endian words of the message into little-endian lanes.
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
    __m128i cdab =
        _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0xB1);
    __m128i efgh =
        _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4)), 0x1B);
    __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
    __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);

    for (; count != 0; --count, blocks += 64) {
        const __m128i abefBefore = abef, cdghBefore = cdgh;
        __m128i w[4];
        // Unrolled, the schedule's four words stay in registers.
#pragma GCC unroll 16
        for (int i = 0; i < 16; ++i) {
            __m128i& current = w[i % 4];
            if (i < 4)
                current = _mm_shuffle_epi8(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * i)), byteSwap);
            __m128i message = _mm_add_epi32(
                current, _mm_loadu_si128(reinterpret_cast<const __m128i*>(roundConstants + 4 * i)));
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, message);
            if (i >= 3 && i <= 14) {
                // Words 4 groups on: finished with the previous group and this one.
                __m128i& next = w[(i + 1) % 4];
                next = _mm_add_epi32(next, _mm_alignr_epi8(current, w[(i + 3) % 4], 4));
                next = _mm_sha256msg2_epu32(next, current);
            }
            message = _mm_shuffle_epi32(message, 0x0E);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, message);
            if (i >= 1 && i <= 12) {
                __m128i& previous = w[(i + 3) % 4];
                previous = _mm_sha256msg1_epu32(previous, current);
            }
        }
        abef = _mm_add_epi32(abef, abefBefore);
        cdgh = _mm_add_epi32(cdgh, cdghBefore);
    }

    const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(feba, dchg, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(dchg, feba, 8));
}

#else

bool HasSha256Instructions() {
    return false;
}

void Sha256CompressX86(std::uint32_t*, const std::uint8_t*, std::size_t, const std::uint32_t*) {}

#endif

} // namespace quarvel
