#include "search/hit_scan.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "text/byte_masks.h"
#include "text/display_count.h"
#include "text/time_slice.h"

namespace tavimo {

namespace {

// Find steps through a text character by character: a byte of 0x80 or above
// takes the next byte along. Each run of such bytes begins on a boundary (the
// byte before it is a character or the tail of an odd run), so whether an
// offset is a boundary follows from the parity of the run before it, which a
// table gives eight bytes at a time.
enum WalkState : uint8_t {
    kFree = 0,      // the last byte was a character of its own
    kEven = 1,      // inside a run of high bytes of even length so far
    kOdd = 2,       // ... of odd length: the next byte is a tail
    kConsumed = 3,  // the last byte was the tail of an odd run
};

constexpr uint8_t Next(uint8_t s, bool high) {
    if (high)
        return s == kOdd ? kEven : kOdd;
    return s == kOdd ? kConsumed : kFree;
}

constexpr std::array<std::array<uint8_t, 256>, 4> MakeWalkTable() {
    std::array<std::array<uint8_t, 256>, 4> t{};
    for (int s0 = 0; s0 < 4; ++s0) {
        for (int m = 0; m < 256; ++m) {
            uint8_t s = static_cast<uint8_t>(s0);
            for (int i = 0; i < 8; ++i)
                s = Next(s, (m >> i) & 1);
            t[s0][m] = s;
        }
    }
    return t;
}

constexpr auto kWalk = MakeWalkTable();

class BoundaryWalker {
  public:
    explicit BoundaryWalker(std::string_view bytes) : bytes_(bytes) {}

    // Find starts stepping afresh there.
    void RestartAt(size_t offset) {
        p_ = offset;
        state_ = kFree;
    }

    // Whether offset is a character boundary, stepping from the last restart.
    bool IsBoundary(size_t offset) {
        const char* data = bytes_.data();
        if (p_ + 64 <= offset) {
            uint64_t oddCarry = state_ == kOdd ? 1 : 0;
            uint64_t last = 0;
            for (; p_ + 64 <= offset; p_ += 64) {
                uint64_t runs = bytemask::High64(data + p_);
                bytemask::OddRunEnds(runs, oddCarry);
                last = runs >> 63;
            }
            state_ = oddCarry ? kOdd : (last ? kEven : kFree);
        }
        const size_t rest = offset - p_;
        if (rest == 0)
            return state_ != kOdd;
        if (p_ + 64 <= bytes_.size()) {
            // Looked at in place: the byte before offset is a character, a
            // tail (then offset is a boundary), or in a run of high bytes,
            // where the run's parity up to offset decides.
            const uint64_t runs = bytemask::High64(data + p_) & ((uint64_t{1} << rest) - 1);
            if (!((runs >> (rest - 1)) & 1))
                return true;
            uint64_t oddCarry = state_ == kOdd ? 1 : 0;
            return !((bytemask::OddRunEnds(runs, oddCarry) >> rest) & 1);
        }
        for (; p_ + 16 <= offset; p_ += 16) {
            unsigned m = bytemask::High16(data + p_);
            if (m == 0 && state_ != kOdd) {
                state_ = kFree;
                continue;
            }
            state_ = kWalk[kWalk[state_][m & 0xFF]][m >> 8];
        }
        for (; p_ < offset; ++p_)
            state_ = Next(state_, static_cast<unsigned char>(data[p_]) >= 0x80);
        return state_ != kOdd;
    }

  private:
    std::string_view bytes_;
    size_t p_ = 0;
    uint8_t state_ = kFree;
};

}  // namespace

HitScan ScanHits(std::string_view text, std::string_view term) {
    HitScan out;
    if (term.empty() || text.size() < term.size())
        return out;
    BoundaryWalker walker(text);
    PrefixDisplayCounter counter(text);
    TimeSlice slice;
    const char* data = text.data();
    const size_t last = text.size() - term.size();  // the last offset a hit can start at
    const char first = term[0];
    size_t from = 0;
    while (from <= last) {
        const void* found = std::memchr(data + from, first, last - from + 1);
        if (!found)
            break;
        size_t offset = static_cast<size_t>(static_cast<const char*>(found) - data);
        if (std::memcmp(data + offset + 1, term.data() + 1, term.size() - 1) != 0 ||
            !walker.IsBoundary(offset)) {
            from = offset + 1;
            continue;
        }
        out.positions.push_back(static_cast<int32_t>(offset + 1));
        out.boxStarts.push_back(static_cast<int32_t>(counter.CountOfPrefix(offset)));
        from = offset + term.size();
        walker.RestartAt(from);  // Find starts stepping afresh just past the hit
        slice.Step();
    }
    return out;
}

TextList PiecesAtHits(std::string_view text, std::string_view term,
                      const std::vector<int32_t>& positions) {
    TextList out;
    if (text.empty())
        return out;
    size_t begin = 0;
    for (int32_t p : positions) {
        size_t at = static_cast<size_t>(p - 1);
        out.Append(Text(text.substr(begin, at - begin)));
        begin = at + term.size();
    }
    out.Append(Text(text.substr(begin)));
    return out;
}

}  // namespace tavimo
