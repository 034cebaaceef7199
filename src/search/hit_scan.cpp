#include "search/hit_scan.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "text/display_count.h"
#include "text/time_slice.h"

namespace tavimo {

namespace {

constexpr uint64_t kHighs = 0x8080808080808080ull;

// Walks character boundaries as Find does: a byte of 0x80 or above takes the
// next byte with it. Runs of eight one-byte or eight high bytes go at once.
class BoundaryWalker {
public:
    explicit BoundaryWalker(std::string_view bytes) : bytes_(bytes) {}

    void RestartAt(size_t offset) { p_ = offset; }

    // Whether offset is reached exactly, stepping from the current boundary.
    bool IsBoundary(size_t offset) {
        const char* data = bytes_.data();
        while (p_ + 8 <= offset) {
            uint64_t w;
            std::memcpy(&w, data + p_, sizeof w);
            uint64_t high = w & kHighs;
            if (high == 0 || high == kHighs) {
                p_ += 8;  // eight single bytes, or four whole two-byte characters
                continue;
            }
            p_ += CharWidthAt(bytes_, p_);
        }
        while (p_ < offset) p_ += CharWidthAt(bytes_, p_);
        return p_ == offset;
    }

private:
    std::string_view bytes_;
    size_t p_ = 0;
};

}  // namespace

HitScan ScanHits(std::string_view text, std::string_view term) {
    HitScan out;
    if (term.empty() || text.size() < term.size()) return out;
    BoundaryWalker walker(text);
    PrefixDisplayCounter counter(text);
    TimeSlice slice;
    const std::boyer_moore_horspool_searcher searcher(term.begin(), term.end());
    auto from = text.begin();
    while (true) {
        auto hit = std::search(from, text.end(), searcher);
        if (hit == text.end()) break;
        size_t offset = static_cast<size_t>(hit - text.begin());
        if (!walker.IsBoundary(offset)) {
            // The candidate starts on a trail byte; the next boundary is one on.
            from = hit + 1;
            continue;
        }
        out.positions.push_back(static_cast<int32_t>(offset + 1));
        out.boxStarts.push_back(static_cast<int32_t>(counter.CountOfPrefix(offset)));
        size_t next = offset + term.size();
        walker.RestartAt(next);  // Find starts stepping afresh just past the hit
        from = text.begin() + static_cast<std::ptrdiff_t>(next);
        slice.Step();
    }
    return out;
}

TextList PiecesAtHits(std::string_view text, std::string_view term,
                      const std::vector<int32_t>& positions) {
    TextList out;
    if (text.empty()) return out;
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
