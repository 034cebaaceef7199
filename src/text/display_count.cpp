#include "text/display_count.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "text/byte_masks.h"
#include "text/time_slice.h"

namespace tavimo {

// Counting walks the text in steps: a byte of 0x80 or above or a CR ("a pair
// byte") takes the byte after it along. Every run of pair bytes begins on a
// step, since the byte before a run is a step of its own or the tail of an
// odd run before it. So a run of r pair bytes costs ceil(r / 2) positions,
// except a run reaching the end of the counted text, which costs floor(r / 2)
// (the last byte is never tested). That needs only the run lengths' parity,
// which a table gives eight bytes at a time.

namespace {

enum State : uint8_t { kClosed = 0, kOpenEven = 1, kOpenOdd = 2 };

inline bool PairByte(unsigned char c) {
    return c >= 0x80 || c == 13;
}

struct Step {
    uint8_t oddRunsClosed;
    uint8_t state;
};

// For each state and each mask of pair bytes (bit i: byte i), the state after
// the eight bytes and how many odd runs they closed.
constexpr std::array<std::array<Step, 256>, 3> MakeTable() {
    std::array<std::array<Step, 256>, 3> t{};
    for (int s0 = 0; s0 < 3; ++s0) {
        for (int m = 0; m < 256; ++m) {
            int s = s0, closed = 0;
            for (int i = 0; i < 8; ++i) {
                if (m & (1 << i)) {
                    s = s == kOpenOdd ? kOpenEven : kOpenOdd;
                } else {
                    if (s == kOpenOdd)
                        ++closed;
                    s = kClosed;
                }
            }
            t[s0][m] = Step{static_cast<uint8_t>(closed), static_cast<uint8_t>(s)};
        }
    }
    return t;
}

constexpr auto kTable = MakeTable();

// The whole 64-byte blocks of data: pair bytes, odd runs closed, the carry
// and the last block's top bit. Compiled twice where the processor may have a
// population-count instruction, which doubles the speed.
struct BlockSums {
    int64_t pairBytes = 0;
    int64_t oddRunsClosed = 0;
    uint64_t oddCarry = 0;
    uint64_t last = 0;
};

#if defined(__GNUC__)
#define TAVIMO_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define TAVIMO_ALWAYS_INLINE inline
#endif

TAVIMO_ALWAYS_INLINE void SumBlocksGeneric(const char* data, size_t blocks, BlockSums& s) {
    for (size_t b = 0; b < blocks; ++b) {
        uint64_t runs = bytemask::HighOrCr64(data + b * 64);
        s.pairBytes += __builtin_popcountll(runs);
        s.oddRunsClosed += __builtin_popcountll(bytemask::OddRunEnds(runs, s.oddCarry));
        s.last = runs >> 63;
    }
}

void SumBlocksPlain(const char* data, size_t blocks, BlockSums& s) {
    SumBlocksGeneric(data, blocks, s);
}

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__) && !defined(__POPCNT__)
__attribute__((target("popcnt"))) void SumBlocksPopcnt(const char* data, size_t blocks,
                                                       BlockSums& s) {
    SumBlocksGeneric(data, blocks, s);
}

void SumBlocks(const char* data, size_t blocks, BlockSums& s) {
    static const bool hasPopcnt = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("popcnt") != 0;
    }();
    hasPopcnt ? SumBlocksPopcnt(data, blocks, s) : SumBlocksPlain(data, blocks, s);
}
#else
void SumBlocks(const char* data, size_t blocks, BlockSums& s) {
    SumBlocksPlain(data, blocks, s);
}
#endif

}  // namespace

void DisplayCountState::AddBytes(const char* data, size_t n) {
    size_t i = 0;
    if (n >= 64) {
        // An open run of even length so far counts as a fresh one.
        BlockSums sums;
        sums.oddCarry = state_ == kOpenOdd ? 1 : 0;
        SumBlocks(data, n / 64, sums);
        i = n / 64 * 64;
        pairBytes_ += sums.pairBytes;
        oddRunsClosed_ += sums.oddRunsClosed;
        state_ = sums.oddCarry ? kOpenOdd : (sums.last ? kOpenEven : kClosed);
    }
    for (; i + 16 <= n; i += 16) {
        unsigned m = bytemask::HighOrCr16(data + i);
        if (m == 0 && state_ == kClosed)
            continue;  // plain text
        pairBytes_ += std::popcount(m);
        const Step& lo = kTable[state_][m & 0xFF];
        const Step& hi = kTable[lo.state][m >> 8];
        oddRunsClosed_ += lo.oddRunsClosed + hi.oddRunsClosed;
        state_ = hi.state;
    }
    for (; i < n; ++i) {
        if (PairByte(static_cast<unsigned char>(data[i]))) {
            ++pairBytes_;
            state_ = state_ == kOpenOdd ? kOpenEven : kOpenOdd;
        } else {
            if (state_ == kOpenOdd)
                ++oddRunsClosed_;
            state_ = kClosed;
        }
    }
    length_ += static_cast<int64_t>(n);
}

int64_t DisplayCountState::Count() const {
    // Closed runs cost ceil(r/2) = (r + odd) / 2; the open run at the end floor(r/2).
    int64_t pairs = (pairBytes_ + oddRunsClosed_ - (state_ == kOpenOdd ? 1 : 0)) / 2;
    return length_ - pairs;
}

int64_t CountDisplayChars(std::string_view bytes) {
    DisplayCountState state;
    TimeSlice slice;
    constexpr size_t kChunk = 1 << 16;
    for (size_t at = 0; at < bytes.size(); at += kChunk) {
        state.AddBytes(bytes.data() + at, std::min(kChunk, bytes.size() - at));
        slice.Step();
    }
    return state.Count();
}

int32_t CountDisplayChars(const Text& text) {
    return static_cast<int32_t>(CountDisplayChars(text.view()));
}

int64_t DisplayCountState::CountWithPartialBlock(const char* block, unsigned rest) const {
    // The first rest bytes of a 64-byte block, looked at without feeding them.
    const uint64_t runs = bytemask::HighOrCr64(block) & ((uint64_t{1} << rest) - 1);
    uint64_t oddCarry = state_ == kOpenOdd ? 1 : 0;
    const uint64_t ends = bytemask::OddRunEnds(runs, oddCarry);
    const int64_t closed = oddRunsClosed_ + std::popcount(ends & ((uint64_t{1} << rest) - 1));
    const bool openOdd = ((runs >> (rest - 1)) & 1) && ((ends >> rest) & 1);
    const int64_t pairs = (pairBytes_ + std::popcount(runs) + closed - (openOdd ? 1 : 0)) / 2;
    return length_ + rest - pairs;
}

int64_t PrefixDisplayCounter::CountOfPrefix(size_t n) {
    if (n > bytes_.size())
        n = bytes_.size();
    if (n < done_)
        n = done_;
    // Whole blocks are fed; the rest is looked at in place, so the many short
    // steps between hits never fall to the byte-by-byte path.
    size_t whole = (n - done_) & ~size_t{63};
    if (whole) {
        state_.AddBytes(bytes_.data() + done_, whole);
        done_ += whole;
    }
    const size_t rest = n - done_;
    if (rest == 0)
        return state_.Count();
    if (done_ + 64 <= bytes_.size())
        return state_.CountWithPartialBlock(bytes_.data() + done_, static_cast<unsigned>(rest));
    state_.AddBytes(bytes_.data() + done_, rest);
    done_ = n;
    return state_.Count();
}

}  // namespace tavimo
