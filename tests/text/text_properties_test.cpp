// Properties on generated texts with two-byte characters.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/display_count.h"
#include "text/text.h"

namespace tavimo {
namespace {

// Bytes drawn from a small alphabet so separators recur: ASCII letters, CR LF,
// and two-byte characters whose trail bytes include ASCII values.
std::string RandomText(std::mt19937& rng, int maxLen) {
    static const char* pieces[] = {"a",
                                   "b",
                                   ",",
                                   "\r\n",
                                   "\xB0\xA1",
                                   "\xB0"
                                   "a",
                                   "\xA1"
                                   ",",
                                   "\x80\x80",
                                   "\xC4\xE3",
                                   "ab"};
    std::uniform_int_distribution<int> len(0, maxLen), pick(0, 9);
    std::string s;
    for (int n = len(rng); n > 0; --n)
        s += pieces[pick(rng)];
    return s;
}

TEST(TextProperties, FindMeetsExactlyTheSeparatorsSplitCutAt) {
    std::mt19937 rng(20180329);
    static const char* needles[] = {",", "a", "ab", "\xB0\xA1", "\xA1", "\r\n", "a,", "\x80"};
    for (int round = 0; round < 3000; ++round) {
        Text text(RandomText(rng, 30));
        Text needle(needles[round % 8]);
        TextList pieces = Split(text, needle);
        // Rebuild the split from Find: pieces between consecutive hits.
        TextList fromFind;
        int32_t from = 1;
        int32_t p;
        while ((p = Find(text, needle, from)) != -1) {
            fromFind.Append(Mid(text, from, p - from));
            from = p + Length(needle);
        }
        if (from <= Length(text))
            fromFind.Append(Mid(text, from, Length(text) - from + 1));
        ASSERT_EQ(pieces, fromFind) << text.bytes() << " / " << needle.bytes();
    }
}

TEST(TextProperties, CountOfWellFormedConcatenationIsTheSum) {
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        // Whole pieces never end with a CR or a lone lead byte.
        std::string a = RandomText(rng, 12), b = RandomText(rng, 12), c = RandomText(rng, 12);
        EXPECT_EQ(
            CountDisplayChars(Text(a + b + c)),
            CountDisplayChars(Text(a)) + CountDisplayChars(Text(b)) + CountDisplayChars(Text(c)));
    }
}

}  // namespace
}  // namespace tavimo
