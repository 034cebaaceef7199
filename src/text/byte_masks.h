// Bit masks of byte classes over 64-byte blocks (bit i: byte i), with SSE2
// where the target has it (every x86-64) and plain code elsewhere; AVX2
// versions for code compiled for it.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define TAVIMO_HAS_AVX2_KERNELS 1
#endif

namespace tavimo::bytemask {

// The first one or two bytes of a term, looked for at every offset.
struct Lead {
    char first;
    char second;
    bool two;
};

#if defined(__SSE2__)
namespace sse2 {
inline __m128i Load(const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
inline unsigned HighOrCr16(const char* at) {
    __m128i v = Load(at);
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(v, _mm_cmpeq_epi8(v, _mm_set1_epi8(13)))));
}
// Where the lead starts among 16 offsets; reads 17 bytes for a lead of two.
inline __m128i LeadAt16(const char* at, const Lead& lead) {
    __m128i m = _mm_cmpeq_epi8(Load(at), _mm_set1_epi8(lead.first));
    if (lead.two)
        m = _mm_and_si128(m, _mm_cmpeq_epi8(Load(at + 1), _mm_set1_epi8(lead.second)));
    return m;
}
}  // namespace sse2
#endif

// Bytes of 0x80 or above.
inline uint64_t High64(const char* at) {
#if defined(__SSE2__)
    uint64_t m = 0;
    for (int i = 0; i < 4; ++i)
        m |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(sse2::Load(at + 16 * i)))}
             << (16 * i);
    return m;
#else
    uint64_t m = 0;
    for (int i = 0; i < 64; ++i)
        m |= uint64_t{static_cast<unsigned char>(at[i]) >= 0x80} << i;
    return m;
#endif
}

// Bytes of 0x80 or above, and CR bytes.
inline uint64_t HighOrCr64(const char* at) {
#if defined(__SSE2__)
    return uint64_t{sse2::HighOrCr16(at)} | uint64_t{sse2::HighOrCr16(at + 16)} << 16 |
           uint64_t{sse2::HighOrCr16(at + 32)} << 32 | uint64_t{sse2::HighOrCr16(at + 48)} << 48;
#else
    uint64_t m = 0;
    for (int i = 0; i < 64; ++i) {
        unsigned char c = static_cast<unsigned char>(at[i]);
        m |= uint64_t{c >= 0x80 || c == 13} << i;
    }
    return m;
#endif
}

// Whether the lead starts at any of the 64 offsets; reads 65 bytes.
inline bool HasLead64(const char* at, const Lead& lead) {
#if defined(__SSE2__)
    __m128i m =
        _mm_or_si128(_mm_or_si128(sse2::LeadAt16(at, lead), sse2::LeadAt16(at + 16, lead)),
                     _mm_or_si128(sse2::LeadAt16(at + 32, lead), sse2::LeadAt16(at + 48, lead)));
    return _mm_movemask_epi8(m) != 0;
#else
    for (int i = 0; i < 64; ++i) {
        if (at[i] == lead.first && (!lead.two || at[i + 1] == lead.second))
            return true;
    }
    return false;
#endif
}

// Where the lead starts among the 64 offsets; reads 65 bytes.
inline uint64_t LeadStarts64(const char* at, const Lead& lead) {
#if defined(__SSE2__)
    uint64_t m = 0;
    for (int i = 0; i < 4; ++i) {
        const unsigned part =
            static_cast<unsigned>(_mm_movemask_epi8(sse2::LeadAt16(at + 16 * i, lead)));
        m |= uint64_t{part} << (16 * i);
    }
    return m;
#else
    uint64_t m = 0;
    for (int i = 0; i < 64; ++i)
        m |= uint64_t{at[i] == lead.first && (!lead.two || at[i + 1] == lead.second)} << i;
    return m;
#endif
}

#if defined(TAVIMO_HAS_AVX2_KERNELS)
namespace avx2 {
__attribute__((target("avx2"))) inline __m256i Load(const char* at) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}
__attribute__((target("avx2"))) inline uint64_t Mask(__m256i lo, __m256i hi) {
    return uint64_t{static_cast<uint32_t>(_mm256_movemask_epi8(lo))} |
           uint64_t{static_cast<uint32_t>(_mm256_movemask_epi8(hi))} << 32;
}
__attribute__((target("avx2"))) inline __m256i LeadAt32(const char* at, const Lead& lead) {
    __m256i m = _mm256_cmpeq_epi8(Load(at), _mm256_set1_epi8(lead.first));
    if (lead.two)
        m = _mm256_and_si256(m, _mm256_cmpeq_epi8(Load(at + 1), _mm256_set1_epi8(lead.second)));
    return m;
}
}  // namespace avx2

__attribute__((target("avx2"))) inline uint64_t HighOrCr64Avx2(const char* at) {
    const __m256i cr = _mm256_set1_epi8(13);
    const __m256i lo = avx2::Load(at), hi = avx2::Load(at + 32);
    return avx2::Mask(_mm256_or_si256(lo, _mm256_cmpeq_epi8(lo, cr)),
                      _mm256_or_si256(hi, _mm256_cmpeq_epi8(hi, cr)));
}
__attribute__((target("avx2"))) inline bool HasLead64Avx2(const char* at, const Lead& lead) {
    const __m256i m = _mm256_or_si256(avx2::LeadAt32(at, lead), avx2::LeadAt32(at + 32, lead));
    return !_mm256_testz_si256(m, m);
}
__attribute__((target("avx2"))) inline bool HasLead128Avx2(const char* at, const Lead& lead) {
    const __m256i m = _mm256_or_si256(
        _mm256_or_si256(avx2::LeadAt32(at, lead), avx2::LeadAt32(at + 32, lead)),
        _mm256_or_si256(avx2::LeadAt32(at + 64, lead), avx2::LeadAt32(at + 96, lead)));
    return !_mm256_testz_si256(m, m);
}
__attribute__((target("avx2"))) inline uint64_t LeadStarts64Avx2(const char* at, const Lead& lead) {
    return avx2::Mask(avx2::LeadAt32(at, lead), avx2::LeadAt32(at + 32, lead));
}
#endif

// Set bits, without a library call where the target lacks the instruction
// (the block kernels compiled for it use the instruction itself).
inline int PopCount(uint64_t m) {
#if defined(__POPCNT__) || !defined(__GNUC__)
    return std::popcount(m);
#else
    m = m - ((m >> 1) & 0x5555555555555555ull);
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((m * 0x0101010101010101ull) >> 56);
#endif
}

// Runs of marked bytes in which each byte not itself taken along takes the
// byte after it along, as the lead byte of a two-byte character does. Given
// the marks of a 64-byte block and carry (1 when the block's first byte is
// taken along by the bytes before), returns the bytes taken along and sets
// carry for the next block.
//
// Every run of marks not taken begins a step, and from there every other byte
// is taken: the ones of the other parity than the run's start, from just
// after the start to just after the run. Adding each odd-started run's first
// bit to the marks clears that run (the carry lands on the byte after it), so
// what is left marks the even-started runs.
inline uint64_t TakenAlong(uint64_t marks, uint64_t& carry) {
    constexpr uint64_t kEvenBits = 0x5555555555555555ull;
    const uint64_t steps = marks & ~carry;  // a byte taken along takes nothing
    const uint64_t after = steps << 1;      // bytes just after a step byte
    const uint64_t oddStarts = steps & ~kEvenBits & ~after;
    const uint64_t evenRuns = steps + oddStarts;
    const uint64_t carryIn = carry;
    carry = evenRuns < steps ? 1 : 0;  // an odd-started run reaches the block's end
    return (after & (kEvenBits ^ (evenRuns << 1))) | carryIn;
}

}  // namespace tavimo::bytemask
