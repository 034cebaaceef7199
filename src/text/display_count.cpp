#include "text/display_count.h"

#include <cstring>

#include "text/time_slice.h"

namespace tavimo {

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;

inline uint64_t Load8(const char* at) {
    uint64_t w;
    std::memcpy(&w, at, sizeof w);
    return w;
}

// True when none of the eight bytes is 0x80 or above or a CR.
inline bool PlainWord(uint64_t w) {
    uint64_t cr = w ^ (kOnes * 0x0D);
    uint64_t hasCr = (cr - kOnes) & ~cr & kHighs;
    return ((w & kHighs) | hasCr) == 0;
}

// True when all eight bytes are 0x80 or above: four two-byte characters.
inline bool HighWord(uint64_t w) { return (w & kHighs) == kHighs; }

// Steps from offset p while p < limit (offsets 0-based, so the step test
// "position < L" becomes "offset < L - 1"); returns the new offset and adds
// the two-byte steps taken.
inline size_t Walk(const char* data, size_t p, size_t limit, int64_t& pairs) {
    while (p < limit) {
        if (p + 8 <= limit) {
            uint64_t w = Load8(data + p);
            if (PlainWord(w)) {
                p += 8;
                continue;
            }
            if (HighWord(w)) {
                pairs += 4;
                p += 8;
                continue;
            }
        }
        unsigned char c = static_cast<unsigned char>(data[p]);
        if (c >= 0x80 || c == 13) {
            ++pairs;
            p += 2;
        } else {
            ++p;
        }
    }
    return p;
}

}  // namespace

int64_t CountDisplayChars(std::string_view bytes) {
    const size_t n = bytes.size();
    if (n < 2) return static_cast<int64_t>(n);
    int64_t pairs = 0;
    size_t p = 0;
    TimeSlice slice;
    constexpr size_t kChunk = 1 << 16;
    while (p < n - 1) {
        size_t limit = (n - 1 - p > kChunk) ? p + kChunk : n - 1;
        p = Walk(bytes.data(), p, limit, pairs);
        slice.Step();
    }
    return static_cast<int64_t>(n) - pairs;
}

int32_t CountDisplayChars(const Text& text) {
    return static_cast<int32_t>(CountDisplayChars(text.view()));
}

int64_t PrefixDisplayCounter::CountOfPrefix(size_t n) {
    if (n > bytes_.size()) n = bytes_.size();
    // The prefix's steps are those of the whole text that start before its
    // last byte; a step may overrun the prefix end only by ending on it.
    if (n >= 1 && p_ < n - 1) p_ = Walk(bytes_.data(), p_, n - 1, pairs_);
    return static_cast<int64_t>(n) - pairs_;
}

}  // namespace tavimo
