#include "search/hit_scan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "text/byte_masks.h"
#include "text/display_count.h"
#include "text/time_slice.h"

namespace tavimo {

namespace {

// Find steps through a text character by character: a byte of 0x80 or above
// takes the next byte along. Each run of such bytes begins on a boundary (the
// byte before it is a character of its own or the tail of an odd run), so
// whether an offset is a boundary follows from the length parity of the run
// of high bytes just before it. Only the candidates are looked at, each back
// to the last offset known to be a boundary, so the text is never walked as
// a whole and the looking back never exceeds the distance covered.
class BoundaryCheck {
  public:
    explicit BoundaryCheck(std::string_view bytes) : bytes_(bytes) {}

    // Find starts stepping afresh there.
    void RestartAt(size_t offset) { known_ = offset; }

    // Whether offset (at or after the last known boundary) is a boundary.
    bool IsBoundary(size_t offset) {
        // After a byte below 0x80 (a character, or the tail of a pair) a
        // character always begins; within a run of high bytes, every other one.
        const bool boundary = (offset - RunStart(offset)) % 2 == 0;
        known_ = boundary ? offset : offset + 1;
        return boundary;
    }

  private:
    // The first offset of the run of high bytes that ends just before end,
    // no earlier than the last known boundary; end when there is none.
    size_t RunStart(size_t end) const {
        const char* data = bytes_.data();
        size_t s = end;
        while (s >= known_ + 64) {
            const int high = std::countl_one(bytemask::High64(data + s - 64));
            if (high < 64)
                return s - static_cast<size_t>(high);
            s -= 64;
        }
        while (s >= known_ + 8) {
            uint64_t w;
            std::memcpy(&w, data + s - 8, sizeof w);
            if ((w & 0x8080808080808080ull) != 0x8080808080808080ull)
                break;
            s -= 8;
        }
        while (s > known_ && static_cast<unsigned char>(data[s - 1]) >= 0x80)
            --s;
        return s;
    }

    std::string_view bytes_;
    size_t known_ = 0;
};

}  // namespace

// One forward pass over 64-byte blocks counts box positions and finds where
// the term's first two bytes stand; only blocks holding such a place are
// looked at closer, each candidate checked against the whole term and the
// character boundaries. The last bytes, fewer than a block, are looked at
// one by one.
HitScan ScanHits(std::string_view text, std::string_view term) {
    HitScan out;
    if (term.empty() || text.size() < term.size())
        return out;
    BoundaryCheck walker(text);
    DisplayCountState counted;  // the blocks before block
    TimeSlice slice;
    const char* data = text.data();
    const size_t last = text.size() - term.size();  // the last offset a hit can start at
    const std::string_view lead = term.substr(0, 2);
    size_t from = 0;   // where the next hit may start
    size_t block = 0;  // the block looked at
    auto take = [&](size_t offset, int64_t boxStart) {
        out.positions.push_back(static_cast<int32_t>(offset + 1));
        out.boxStarts.push_back(static_cast<int32_t>(boxStart));
        from = offset + term.size();
        walker.RestartAt(from);  // Find starts stepping afresh just past the hit
    };
    auto isHit = [&](size_t offset) {
        return std::memcmp(data + offset, term.data(), term.size()) == 0 &&
               walker.IsBoundary(offset);
    };
    // Blocks while the block and the byte after it can be read, 64 KB or 64
    // blocks holding candidates at a time, the time slice looked at between.
    constexpr size_t kBlocksPerStep = 1024;
    std::array<LeadBlock, 64> notes;
    while (block + 65 <= text.size() && block <= last) {
        size_t noted = 0;
        const size_t blocks = std::min((text.size() - 1 - block) / 64, kBlocksPerStep);
        const size_t fed = counted.AddBlocksNotingLead(data + block, blocks, lead, notes, noted);
        for (size_t i = 0; i < noted; ++i) {
            const LeadBlock& n = notes[i];
            const size_t at = block + n.offset;
            for (uint64_t starts = n.starts; starts; starts &= starts - 1) {
                const unsigned rest = static_cast<unsigned>(std::countr_zero(starts));
                const size_t offset = at + rest;
                if (offset > last)
                    return out;
                if (offset >= from && isHit(offset))
                    take(offset, n.CountAt(rest));
            }
        }
        block += fed * 64;
        slice.Step();
    }
    for (size_t offset = std::max(from, block); offset <= last; ++offset) {
        if (offset >= from && isHit(offset)) {
            DisplayCountState before = counted;
            before.AddBytes(data + block, offset - block);
            take(offset, before.Count());
        }
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
