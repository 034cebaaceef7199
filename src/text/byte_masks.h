// Bit masks of byte classes over 16 bytes at a time (bit i: byte i), with
// SSE2 where the target has it (every x86-64) and plain code elsewhere.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavimo::bytemask {

// Bytes of 0x80 or above.
inline unsigned High16(const char* at) {
#if defined(__SSE2__)
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    return static_cast<unsigned>(_mm_movemask_epi8(v));
#else
    unsigned m = 0;
    for (int i = 0; i < 16; ++i) m |= (static_cast<unsigned char>(at[i]) >> 7) << i;
    return m;
#endif
}

// Bytes of 0x80 or above, and CR bytes.
inline unsigned HighOrCr16(const char* at) {
#if defined(__SSE2__)
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i cr = _mm_cmpeq_epi8(v, _mm_set1_epi8(13));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(v, cr)));
#else
    unsigned m = 0;
    for (int i = 0; i < 16; ++i) {
        unsigned char c = static_cast<unsigned char>(at[i]);
        m |= static_cast<unsigned>(c >= 0x80 || c == 13) << i;
    }
    return m;
#endif
}

}  // namespace tavimo::bytemask
