// Box positions: the rich-text box counts a two-byte character as one
// position and a CR together with the byte after it as one position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "text/byte_masks.h"
#include "text/text.h"

namespace tavimo {

// The number of box positions the text occupies. The last byte is never
// tested, so a final CR or lone lead byte counts as one position. Lets
// pending events run on a time slice while it counts.
int32_t CountDisplayChars(const Text& text);
int64_t CountDisplayChars(std::string_view bytes);

// A 64-byte block in which a term's lead (its first one or two bytes) starts,
// with what is needed to count up to any byte of it.
struct LeadBlock {
    size_t offset;        // of the block, from the start of the bytes fed
    uint64_t starts;      // where the lead starts (bit i: byte i)
    uint64_t runs;        // bytes of 0x80 or above, and CRs
    int64_t countBefore;  // the count of everything before the block
    uint64_t carry;       // 1 when the block's first byte is taken along
    // The count of everything before byte rest (0..63) of the block.
    int64_t CountAt(unsigned rest) const {
        // Whether a byte is taken along depends only on the bytes before it.
        uint64_t c = carry;
        const uint64_t taken = bytemask::TakenAlong(runs, c) & ((uint64_t{1} << rest) - 1);
        return countBefore + rest - bytemask::PopCount(taken);
    }
};

// The count of the bytes fed so far, kept as it streams.
class DisplayCountState {
  public:
    void AddBytes(const char* data, size_t n);
    // Feeds whole 64-byte blocks, at most blocks of them, and notes each one
    // in which lead (one or two bytes) starts, stopping before a block that
    // finds notes full; returns how many blocks it fed and in noted how many
    // notes it wrote. Reads the byte after each block it looks at.
    size_t AddBlocksNotingLead(const char* data, size_t blocks, std::string_view lead,
                               std::span<LeadBlock> notes, size_t& noted);
    int64_t Count() const;
    // Count() as if the first rest (0..63) bytes of block were fed too.
    int64_t CountWithPartialBlock(const char* block, unsigned rest) const;

  private:
    int64_t length_ = 0;
    int64_t taken_ = 0;   // bytes taken along by the byte before them
    uint64_t carry_ = 0;  // 1 when the next byte fed is taken along
};

// The 64-byte block kernels, one per instruction set; the fastest the
// processor has is used unless a test picks another.
enum class BlockKernel { kPlain, kPopcnt, kAvx2 };
std::vector<BlockKernel> SupportedBlockKernels();
// Returns the kernel used before.
BlockKernel UseBlockKernel(BlockKernel kernel);

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
