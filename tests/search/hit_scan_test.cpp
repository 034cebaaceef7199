#include "search/hit_scan.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(HitScan, AgreesWithFindAndCountOnGeneratedText) {
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
    static const char* terms[] = {"a", "ab", "\xB0\xA1", "\xA1", "\r\n", "b\r", "\xA1\xB0", "aa"};
    for (int round = 0; round < 2000; ++round) {
        std::string s;
        for (int n = static_cast<int>(rng() % 60); n > 0; --n)
            s += pieces[rng() % 10];
        // Long homogeneous runs reach the word-at-a-time paths.
        if (round % 3 == 0)
            s = std::string(17, 'q') + s + std::string(18, '\xB5') + s;
        Text text(s), term(terms[round % 8]);
        HitScan h = ScanHits(s, term.view());
        ASSERT_EQ(h.positions, FindAll(text, term)) << s;
        for (size_t k = 0; k < h.positions.size(); ++k) {
            ASSERT_EQ(h.boxStarts[k], CountDisplayChars(Left(text, h.positions[k] - 1)));
        }
    }
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
