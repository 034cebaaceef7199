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

// The count of the bytes fed so far, kept as it streams.
class DisplayCountState {
  public:
    void AddBytes(const char* data, size_t n);
    int64_t Count() const;
    // Count() as if the first rest (1..63) bytes of block were fed too.
    int64_t CountWithPartialBlock(const char* block, unsigned rest) const;

  private:
    int64_t length_ = 0;
    int64_t pairBytes_ = 0;      // bytes of 0x80 or above, and CRs
    int64_t oddRunsClosed_ = 0;  // runs of those of odd length, ended
    uint8_t state_ = 0;          // no run, or an open run of even or odd length
};

// CountDisplayChars of every prefix of one text, in one forward pass: the
// count is a prefix function.
class PrefixDisplayCounter {
  public:
    explicit PrefixDisplayCounter(std::string_view bytes) : bytes_(bytes) {}
    // CountDisplayChars(Left(text, n)); n must not decrease between calls.
    int64_t CountOfPrefix(size_t n);

  private:
    std::string_view bytes_;
    size_t done_ = 0;
    DisplayCountState state_;
};

}  // namespace tavimo
