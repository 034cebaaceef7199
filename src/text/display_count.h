// Box positions: the rich-text box counts a two-byte character as one
// position and a CR together with the byte after it as one position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace tavimo {

// The number of box positions the text occupies. The last byte is never
// tested, so a final CR or lone lead byte counts as one position. Lets
// pending events run on a time slice while it counts.
int32_t CountDisplayChars(const Text& text);
int64_t CountDisplayChars(std::string_view bytes);

// CountDisplayChars of every prefix of one text, in one forward pass: the
// count is a prefix function, since each step depends only on its own byte.
class PrefixDisplayCounter {
public:
    explicit PrefixDisplayCounter(std::string_view bytes) : bytes_(bytes) {}
    // CountDisplayChars(Left(text, n)); n must not decrease between calls.
    int64_t CountOfPrefix(size_t n);

private:
    std::string_view bytes_;
    size_t p_ = 0;         // 0-based offset of the next step
    int64_t pairs_ = 0;    // two-byte steps taken so far
};

}  // namespace tavimo
