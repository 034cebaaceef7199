#include "search/hit_scan.h"

#include <gtest/gtest.h>

#include <random>

#include "support/block_kernels.h"
#include "text/display_count.h"

namespace tavimo {
namespace {

// The hits repeated Find calls give, each just past the previous.
std::vector<int32_t> FindAll(const Text& text, const Text& term) {
    std::vector<int32_t> out;
    if (term.empty())
        return out;
    int32_t from = 0, p;
    while ((p = Find(text, term, from)) != -1) {
        out.push_back(p);
        from = p + Length(term);
    }
    return out;
}

TEST(HitScan, Table) {
    struct Case {
        const char* text;
        const char* term;
        std::vector<int32_t> positions;
        std::vector<int32_t> boxStarts;
    } cases[] = {
        {"aaaaa", "aa", {1, 3}, {0, 2}},
        {"\xBC\xD7\xD2\xD2\r\n\xB1\xFB\xB6\xA1", "\xB1\xFB", {7}, {3}},  // 甲乙 CR LF 丙丁
        {"\xB0\xA1\x41", "\xA1\x41", {}, {}},                            // never on a trail byte
        {"ab", "ab", {1}, {0}},
        {"xab", "", {}, {}},
        {"", "a", {}, {}},
        {"a\r\nb\r\nb", "b", {4, 7}, {2, 4}},
        {"\xB0"
         "aa",
         "a",
         {3},
         {1}},
    };
    for (const auto& c : cases) {
        HitScan h = ScanHits(c.text, c.term);
        EXPECT_EQ(h.positions, c.positions) << c.text;
        EXPECT_EQ(h.boxStarts, c.boxStarts) << c.text;
    }
}

// The box position of every offset, stepping through the text once: a byte
// taken along by the step before it occupies no position of its own.
std::vector<int32_t> StepwiseCounts(const std::string& s) {
    std::vector<int32_t> out(s.size() + 1, 0);
    bool taken = false;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        out[i + 1] = out[i] + (taken ? 0 : 1);
        taken = !taken && (c >= 0x80 || c == 13);
    }
    return out;
}

// Generated texts, short ones and ones of many 64-byte blocks: the term's
// pieces fall on block edges, more blocks hold candidates than one pass takes
// in, and candidates overlap.
TEST(HitScan, AgreesWithFindAndStepwiseCountOnGeneratedText) {
    testing::ForEachBlockKernel([] {
        std::mt19937 rng(3);
        static const char* pieces[] = {"a",
                                       "b",
                                       "\r\n",
                                       "\xB0\xA1",
                                       "\xB0"
                                       "a",
                                       "\xA1"
                                       "b",
                                       "ab",
                                       "\x80\x80",
                                       "\r",
                                       "\xC4\xE3\xBA\xC3"};
        static const char* terms[] = {"a",
                                      "ab",
                                      "\xB0\xA1",
                                      "\xA1",
                                      "\r\n",
                                      "b\r",
                                      "\xA1\xB0",
                                      "aa",
                                      "\xC4\xE3\xBA\xC3"
                                      "b"};
        for (int round = 0; round < 2000; ++round) {
            std::string s;
            const int n = static_cast<int>(rng() % (round % 10 == 0 ? 4000 : 60));
            for (int i = 0; i < n; ++i)
                s += pieces[rng() % 10];
            // Long homogeneous runs cross whole blocks.
            if (round % 3 == 0)
                s = std::string(17, 'q') + s + std::string(130, '\xB5') + s;
            Text text(s), term(terms[round % 9]);
            HitScan h = ScanHits(s, term.view());
            ASSERT_EQ(h.positions, FindAll(text, term)) << round;
            const std::vector<int32_t> counts = StepwiseCounts(s);
            for (size_t k = 0; k < h.positions.size(); ++k)
                ASSERT_EQ(h.boxStarts[k], counts[static_cast<size_t>(h.positions[k] - 1)]) << round;
        }
    });
}

TEST(HitScan, PiecesHaveOneItemMoreThanHits) {
    auto items = [](const char* text, const char* term) {
        HitScan h = ScanHits(text, term);
        std::vector<std::string> out;
        TextList pieces = PiecesAtHits(text, term, h.positions);
        for (const Text& t : pieces.items())
            out.push_back(t.bytes());
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(items("a,b,", ","), (V{"a", "b", ""}));
    EXPECT_EQ(items("ab", "ab"), (V{"", ""}));
    EXPECT_EQ(items("xyz", "q"), (V{"xyz"}));
    EXPECT_EQ(items("xyz", ""), (V{"xyz"}));
    EXPECT_EQ(items("", "q"), V{});
    EXPECT_EQ(items("aaaaa", "aa"), (V{"", "", "a"}));
}

}  // namespace
}  // namespace tavimo
