// Every hit of a term in a text and its place in the box, in one pass.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace tavimo {

struct HitScan {
    // 1-based byte positions, as repeated Find calls from just past each hit
    // would give them: case-sensitive, character-aligned, never overlapping.
    std::vector<int32_t> positions;
    // CountDisplayChars of the text before each hit: the box position it starts at.
    std::vector<int32_t> boxStarts;
};

// An empty term finds nothing.
HitScan ScanHits(std::string_view text, std::string_view term);

// The text cut at the hits: item i is the text before hit i, from the end of
// hit i - 1. There is always one item more than hits, the last one empty when
// the text ends with the term; an empty text gives no items and an empty term
// the whole text as one item.
TextList PiecesAtHits(std::string_view text, std::string_view term,
                      const std::vector<int32_t>& positions);

}  // namespace tavimo
