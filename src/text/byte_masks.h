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
    for (int i = 0; i < 16; ++i)
        m |= (static_cast<unsigned char>(at[i]) >> 7) << i;
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

// Bytes at i where at[i] == a and at[i + 1] == b, for i in 0..15 (reads 17 bytes).
inline unsigned Pair16(const char* at, char a, char b) {
#if defined(__SSE2__)
    __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
    __m128i m =
        _mm_and_si128(_mm_cmpeq_epi8(v0, _mm_set1_epi8(a)), _mm_cmpeq_epi8(v1, _mm_set1_epi8(b)));
    return static_cast<unsigned>(_mm_movemask_epi8(m));
#else
    unsigned m = 0;
    for (int i = 0; i < 16; ++i)
        m |= static_cast<unsigned>(at[i] == a && at[i + 1] == b) << i;
    return m;
#endif
}

// The same over 64 bytes.
inline uint64_t High64(const char* at) {
    return uint64_t{High16(at)} | uint64_t{High16(at + 16)} << 16 |
           uint64_t{High16(at + 32)} << 32 | uint64_t{High16(at + 48)} << 48;
}
inline uint64_t HighOrCr64(const char* at) {
    return uint64_t{HighOrCr16(at)} | uint64_t{HighOrCr16(at + 16)} << 16 |
           uint64_t{HighOrCr16(at + 32)} << 32 | uint64_t{HighOrCr16(at + 48)} << 48;
}

// Runs of marked bytes in which each byte takes the byte after it along, as
// the lead byte of a two-byte character does. Given the marks of a 64-byte
// block and oddCarry (1 when the bytes before ended inside a run of odd length
// so far), returns the bytes just after runs of odd length (the bytes taken
// along) and sets oddCarry for the next block. Runs are told apart by the
// parity of their start: adding a run's start bit to the run carries out of
// its end, and the parity of where that lands gives the run's length parity.
inline uint64_t OddRunEnds(uint64_t runs, uint64_t& oddCarry) {
    constexpr uint64_t kEvenBits = 0x5555555555555555ull;
    constexpr uint64_t kOddBits = ~kEvenBits;
    const uint64_t starts = runs & ~(runs << 1);
    // A run that goes on from the block before counts as starting one byte
    // earlier when its length so far is odd.
    const uint64_t evenStartMask = kEvenBits ^ oddCarry;
    const uint64_t evenStarts = starts & evenStartMask;
    const uint64_t oddStarts = starts & ~evenStartMask;
    const uint64_t evenCarries = runs + evenStarts;
    uint64_t oddCarries = runs + oddStarts;
    const uint64_t carryOut = oddCarries < runs ? 1 : 0;  // an odd-start run reaches the end
    oddCarries |= oddCarry;
    oddCarry = carryOut;
    const uint64_t evenCarryEnds = evenCarries & ~runs;
    const uint64_t oddCarryEnds = oddCarries & ~runs;
    return (evenCarryEnds & kOddBits) | (oddCarryEnds & kEvenBits);
}

}  // namespace tavimo::bytemask
