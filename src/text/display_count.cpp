#include "text/display_count.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <span>

#include "text/byte_masks.h"
#include "text/time_slice.h"

namespace tavimo {

// Counting walks the text in steps: a byte of 0x80 or above or a CR ("a pair
// byte") takes the byte after it along. The count is the length less the
// bytes taken along, and which bytes those are follows, 64 at a time, from
// the pair bytes and whether the block's first byte is taken
// (bytemask::TakenAlong). A byte taken along just past the counted text is
// not counted: the last byte is never tested.

namespace {

using bytemask::Lead;

struct Sums {
    int64_t taken;
    uint64_t carry;
};

inline void AddBlockTo(uint64_t runs, Sums& s) {
    s.taken += __builtin_popcountll(bytemask::TakenAlong(runs, s.carry));
}

// Masks is the instruction set's HighOrCr64, HasLead64 (over 64 and over 128
// bytes) and LeadStarts64.
struct PlainMasks {
    static uint64_t Runs(const char* at) { return bytemask::HighOrCr64(at); }
    static bool HasLead(const char* at, const Lead& lead) { return bytemask::HasLead64(at, lead); }
    static bool HasLead2(const char* at, const Lead& lead) {
        return bytemask::HasLead64(at, lead) || bytemask::HasLead64(at + 64, lead);
    }
    static uint64_t LeadStarts(const char* at, const Lead& lead) {
        return bytemask::LeadStarts64(at, lead);
    }
};

// The sums and the lead are copied in and out: the text is read through char
// pointers, which might alias them and would keep them in memory otherwise.
template <class Masks>
inline void SumBlocksWith(const char* data, size_t blocks, Sums& sums) {
    Sums s = sums;
    for (size_t b = 0; b < blocks; ++b)
        AddBlockTo(Masks::Runs(data + b * 64), s);
    sums = s;
}

// Sums blocks, noting those in which the lead starts, until notes is full;
// length is the count's length before the first block.
// Two blocks at a time while neither holds the lead, which is the common case.
template <class Masks, bool kTwo>
inline size_t NoteLeadWith(const char* data, size_t blocks, const Lead& leadIn, Sums& sums,
                           int64_t length, LeadBlock* notes, size_t room, size_t& noted) {
    const Lead lead{leadIn.first, leadIn.second, kTwo};
    Sums s = sums;
    size_t b = 0, n = 0;
    while (b < blocks) {
        const char* at = data + b * 64;
        if (b + 2 <= blocks && !Masks::HasLead2(at, lead)) {
            AddBlockTo(Masks::Runs(at), s);
            AddBlockTo(Masks::Runs(at + 64), s);
            b += 2;
            continue;
        }
        const uint64_t runs = Masks::Runs(at);
        if (Masks::HasLead(at, lead)) {
            if (n == room)
                break;
            const int64_t before = length + static_cast<int64_t>(b * 64) - s.taken;
            notes[n++] = LeadBlock{b * 64, Masks::LeadStarts(at, lead), runs, before, s.carry};
        }
        AddBlockTo(runs, s);
        ++b;
    }
    sums = s;
    noted = n;
    return b;
}

template <class Masks>
inline size_t NoteLeadWith(const char* data, size_t blocks, const Lead& lead, Sums& sums,
                           int64_t length, LeadBlock* notes, size_t room, size_t& noted) {
    return lead.two
               ? NoteLeadWith<Masks, true>(data, blocks, lead, sums, length, notes, room, noted)
               : NoteLeadWith<Masks, false>(data, blocks, lead, sums, length, notes, room, noted);
}

// Each kernel is compiled for its own instruction set, everything inlined
// into it; which one runs is chosen once, from what the processor has. The
// population-count instruction alone doubles the speed.
#define TAVIMO_KERNELS(attributes, name, Masks)                                                  \
    attributes void SumBlocks##name(const char* data, size_t blocks, Sums& s) {                  \
        SumBlocksWith<Masks>(data, blocks, s);                                                   \
    }                                                                                            \
    attributes size_t NoteLead##name(const char* data, size_t blocks, const Lead& lead, Sums& s, \
                                     int64_t length, LeadBlock* notes, size_t room,              \
                                     size_t& noted) {                                            \
        return NoteLeadWith<Masks>(data, blocks, lead, s, length, notes, room, noted);           \
    }

#if defined(__GNUC__)
#define TAVIMO_FLATTEN __attribute__((flatten))
#else
#define TAVIMO_FLATTEN
#endif

TAVIMO_KERNELS(TAVIMO_FLATTEN, Plain, PlainMasks)

#if defined(TAVIMO_HAS_AVX2_KERNELS)
struct Avx2Masks {
    __attribute__((target("avx2"))) static uint64_t Runs(const char* at) {
        return bytemask::HighOrCr64Avx2(at);
    }
    __attribute__((target("avx2"))) static bool HasLead(const char* at, const Lead& lead) {
        return bytemask::HasLead64Avx2(at, lead);
    }
    __attribute__((target("avx2"))) static bool HasLead2(const char* at, const Lead& lead) {
        return bytemask::HasLead128Avx2(at, lead);
    }
    __attribute__((target("avx2"))) static uint64_t LeadStarts(const char* at, const Lead& lead) {
        return bytemask::LeadStarts64Avx2(at, lead);
    }
};
TAVIMO_KERNELS(__attribute__((target("popcnt"), flatten)), Popcnt, PlainMasks)
TAVIMO_KERNELS(__attribute__((target("avx2,bmi,popcnt"), flatten)), Avx2, Avx2Masks)

BlockKernel FastestKernel() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
        __builtin_cpu_supports("popcnt"))
        return BlockKernel::kAvx2;
    if (__builtin_cpu_supports("popcnt"))
        return BlockKernel::kPopcnt;
    return BlockKernel::kPlain;
}
#else
BlockKernel FastestKernel() {
    return BlockKernel::kPlain;
}
#endif

std::atomic<BlockKernel>& KernelInUse() {
    static std::atomic<BlockKernel> kernel{FastestKernel()};
    return kernel;
}

void SumBlocks(const char* data, size_t blocks, Sums& s) {
    switch (KernelInUse().load(std::memory_order_relaxed)) {
#if defined(TAVIMO_HAS_AVX2_KERNELS)
        case BlockKernel::kAvx2:
            return SumBlocksAvx2(data, blocks, s);
        case BlockKernel::kPopcnt:
            return SumBlocksPopcnt(data, blocks, s);
#endif
        default:
            return SumBlocksPlain(data, blocks, s);
    }
}

size_t NoteLead(const char* data, size_t blocks, const Lead& lead, Sums& s, int64_t length,
                LeadBlock* notes, size_t room, size_t& noted) {
    switch (KernelInUse().load(std::memory_order_relaxed)) {
#if defined(TAVIMO_HAS_AVX2_KERNELS)
        case BlockKernel::kAvx2:
            return NoteLeadAvx2(data, blocks, lead, s, length, notes, room, noted);
        case BlockKernel::kPopcnt:
            return NoteLeadPopcnt(data, blocks, lead, s, length, notes, room, noted);
#endif
        default:
            return NoteLeadPlain(data, blocks, lead, s, length, notes, room, noted);
    }
}

// The pair bytes among the first n (below 64) bytes.
uint64_t RunsOfPart(const char* data, size_t n) {
    char block[64] = {};
    std::memcpy(block, data, n);
    return bytemask::HighOrCr64(block);
}

}  // namespace

std::vector<BlockKernel> SupportedBlockKernels() {
    std::vector<BlockKernel> out{BlockKernel::kPlain};
    const BlockKernel fastest = FastestKernel();
    if (fastest >= BlockKernel::kPopcnt)
        out.push_back(BlockKernel::kPopcnt);
    if (fastest >= BlockKernel::kAvx2)
        out.push_back(BlockKernel::kAvx2);
    return out;
}

BlockKernel UseBlockKernel(BlockKernel kernel) {
    return KernelInUse().exchange(kernel);
}

size_t DisplayCountState::AddBlocksNotingLead(const char* data, size_t blocks,
                                              std::string_view lead, std::span<LeadBlock> notes,
                                              size_t& noted) {
    noted = 0;
    if (lead.empty())
        return 0;
    const Lead l{lead[0], lead.size() > 1 ? lead[1] : '\0', lead.size() > 1};
    Sums sums{taken_, carry_};
    const size_t fed = NoteLead(data, blocks, l, sums, length_, notes.data(), notes.size(), noted);
    taken_ = sums.taken;
    carry_ = sums.carry;
    length_ += static_cast<int64_t>(fed * 64);
    return fed;
}

void DisplayCountState::AddBytes(const char* data, size_t n) {
    const size_t whole = n / 64;
    if (whole) {
        Sums sums{taken_, carry_};
        SumBlocks(data, whole, sums);
        taken_ = sums.taken;
        carry_ = sums.carry;
        length_ += static_cast<int64_t>(whole * 64);
    }
    const size_t rest = n % 64;
    if (rest) {
        uint64_t carry = carry_;
        const uint64_t taken = bytemask::TakenAlong(RunsOfPart(data + whole * 64, rest), carry);
        taken_ += bytemask::PopCount(taken & ((uint64_t{1} << rest) - 1));
        carry_ = (taken >> rest) & 1;  // whether the byte after them is taken
        length_ += static_cast<int64_t>(rest);
    }
}

int64_t DisplayCountState::Count() const {
    return length_ - taken_;
}

int64_t DisplayCountState::CountWithPartialBlock(const char* block, unsigned rest) const {
    return LeadBlock{0, 0, bytemask::HighOrCr64(block), Count(), carry_}.CountAt(rest);
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

int64_t PrefixDisplayCounter::CountOfPrefix(size_t n) {
    if (n > bytes_.size())
        n = bytes_.size();
    if (n < done_)
        n = done_;
    // Whole blocks are fed; the rest is looked at in place, so the many short
    // steps between hits never feed a part of a block.
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
