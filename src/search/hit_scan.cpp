#include "search/hit_scan.h"

#include <algorithm>
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

// The next offset in [from, last] where the term's first two bytes stand, or
// last + 1; 64 or 16 offsets at a time while the bytes after can be read.
size_t NextPair(std::string_view text, size_t from, size_t last, char a, char b) {
    const char* data = text.data();
    while (from + 65 <= text.size() && from + 63 <= last) {
        uint64_t m = uint64_t{bytemask::Pair16(data + from, a, b)} |
                     uint64_t{bytemask::Pair16(data + from + 16, a, b)} << 16 |
                     uint64_t{bytemask::Pair16(data + from + 32, a, b)} << 32 |
                     uint64_t{bytemask::Pair16(data + from + 48, a, b)} << 48;
        if (m)
            return from + static_cast<size_t>(std::countr_zero(m));
        from += 64;
    }
    while (from + 17 <= text.size() && from + 15 <= last) {
        unsigned m = bytemask::Pair16(data + from, a, b);
        if (m)
            return from + static_cast<size_t>(std::countr_zero(m));
        from += 16;
    }
    for (; from <= last; ++from) {
        if (data[from] == a && data[from + 1] == b)
            return from;
    }
    return last + 1;
}

}  // namespace

HitScan ScanHits(std::string_view text, std::string_view term) {
    HitScan out;
    if (term.empty() || text.size() < term.size())
        return out;
    BoundaryCheck walker(text);
    PrefixDisplayCounter counter(text);
    TimeSlice slice;
    const char* data = text.data();
    const size_t last = text.size() - term.size();  // the last offset a hit can start at
    const char first = term[0];
    size_t from = 0;
    while (from <= last) {
        size_t offset;
        if (term.size() >= 2) {
            offset = NextPair(text, from, last, first, term[1]);
            if (offset > last)
                break;
        } else {
            const void* found = std::memchr(data + from, first, last - from + 1);
            if (!found)
                break;
            offset = static_cast<size_t>(static_cast<const char*>(found) - data);
        }
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
