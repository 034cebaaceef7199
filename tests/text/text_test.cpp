#include "text/text.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tavimo {
namespace {

std::vector<std::string> Items(const TextList& list) {
    std::vector<std::string> out;
    for (const Text& t : list.items())
        out.push_back(t.bytes());
    return out;
}

TEST(TextValue, EndsAtTheFirstZeroByte) {
    EXPECT_EQ(Text(std::string_view("ab\0cd", 5)).bytes(), "ab");
    EXPECT_EQ(Text(static_cast<const char*>(nullptr)), Text(""));
    EXPECT_EQ(Length(Text()), 0);
    EXPECT_EQ(Compare(Text(static_cast<const char*>(nullptr)), Text("")), 0);
}

TEST(TextCut, LeftRightMidClamp) {
    const Text abc("abc");
    struct Case {
        Text got;
        const char* want;
    } cases[] = {
        {Left(abc, 0), ""},    {Left(abc, -1), ""},  {Left(abc, 5), "abc"},  {Left(abc, 2), "ab"},
        {Right(abc, 2), "bc"}, {Right(abc, 0), ""},  {Right(abc, 9), "abc"}, {Mid(abc, 0, 5), ""},
        {Mid(abc, 3, 5), "c"}, {Mid(abc, 4, 1), ""}, {Mid(abc, 2, 0), ""},   {Mid(abc, 1, 2), "ab"},
        {Mid(abc, -3, 2), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got.bytes(), c.want);
}

TEST(TextCharCode, SignedBytesAndZeroOutside) {
    EXPECT_EQ(CharCode(Text("\xB0\xA1")), -80);
    EXPECT_EQ(CharCode(Text("\xFF")), -1);
    EXPECT_EQ(CharCode(Text("\x80")), -128);
    EXPECT_EQ(CharCode(Text()), 0);
    EXPECT_EQ(CharCode(Text("abc"), 4), 0);
    EXPECT_EQ(CharCode(Text("abc"), 0), 0);
    EXPECT_EQ(CharCode(Text("abc"), -2), 0);
    EXPECT_EQ(CharCode(Text("abc"), 3), 'c');
}

TEST(TextFind, Table) {
    struct Case {
        const char* text;
        const char* needle;
        std::optional<int32_t> start;
        int32_t ignoreCase;
        int32_t want;
    } cases[] = {
        {"abcabc", "bc", std::nullopt, 0, 2},
        {"abcabc", "bc", 3, 0, 5},
        {"abcabc", "bc", 0, 0, 2},
        {"abcabc", "bc", -4, 0, 2},
        {"abcabc", "bc", 7, 0, -1},
        {"abcabc", "bc", 6, 0, -1},
        {"abc", "x", std::nullopt, 0, -1},
        {"abc", "", 2, 0, 1},  // 1, not the start
        {"", "", std::nullopt, 0, -1},
        {"abc", "", 4, 0, -1},
        {"\xB0\xA1\x41", "\xA1\x41", std::nullopt, 0, -1},  // never on a trail byte
        {"\xB0\xA1\x41", "\x41", std::nullopt, 0, 3},
        {"xabc", "ABC", std::nullopt, 1, 2},
        {"xabc", "ABC", std::nullopt, 0, -1},
        {"xabc", "ABC", std::nullopt, 2, -1},          // only the flag 1 folds
        {"\xC1\x61", "\xC1\x41", std::nullopt, 1, 1},  // folding reaches trail bytes
        {"\xC1\x61", "\xC1\x41", std::nullopt, 0, -1},
        {"a\xE0", "\xE0", std::nullopt, 0, 2},  // final lone lead byte
        {"\xE0"
         "a",
         "a", std::nullopt, 0, -1},  // 'a' is the lead byte's partner
        {"ab", "abc", std::nullopt, 0, -1},
        {"aaaa", "aa", 2, 0, 2},
        {"a\x80xa", "a", 2, 0, 4},  // a start on a lead byte steps whole characters from there
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find(Text(c.text), Text(c.needle), c.start, c.ignoreCase), c.want)
            << c.text << " / " << c.needle;
    }
}

TEST(TextSplit, Table) {
    using V = std::vector<std::string>;
    struct Case {
        const char* text;
        std::optional<Text> sep;
        std::optional<int32_t> limit;
        V want;
    } cases[] = {
        {"a,b,,c,", Text(","), std::nullopt, {"a", "b", "", "c"}},
        {",a", Text(","), std::nullopt, {"", "a"}},
        {"abc", Text("abc"), std::nullopt, {""}},
        {"", Text(","), std::nullopt, {}},
        {"abc", Text(""), std::nullopt, {"abc"}},
        {"a,b,c", Text(","), 2, {"a", "b"}},
        {"a,b,c", Text(","), 0, {}},
        {"a,b,c", Text(","), -1, {}},
        {"a;b", std::nullopt, std::nullopt, {"a;b"}},
        {"a,b", std::nullopt, std::nullopt, {"a", "b"}},
        {"\xB0,x,y", Text(","), std::nullopt, {"\xB0,x", "y"}},  // ',' is a trail byte here
        {"aaaaa", Text("aa"), std::nullopt, {"", "", "a"}},
        {"x\xE0", Text("\xE0"), std::nullopt, {"x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Items(Split(Text(c.text), c.sep, c.limit)), c.want) << c.text;
}

TEST(TextReplaceAll, Table) {
    struct Case {
        const char* text;
        const char* what;
        const char* with;
        std::optional<int32_t> start;
        std::optional<int32_t> number;
        bool caseSensitive;
        const char* want;
    } cases[] = {
        {"a#q#qb", "#q", "\"", std::nullopt, std::nullopt, true, "a\"\"b"},
        {"aXax", "x", "y", std::nullopt, std::nullopt, true, "aXay"},
        {"aXax", "x", "y", std::nullopt, std::nullopt, false, "ayay"},
        {"xxxx", "x", "y", 3, std::nullopt, true, "xxyy"},
        {"xxxx", "x", "y", std::nullopt, 2, true, "yyxx"},
        {"xxxx", "x", "y", std::nullopt, 0, true, "xxxx"},
        {"xxxx", "x", "y", 5, std::nullopt, true, "xxxx"},
        {"xxxx", "", "y", std::nullopt, std::nullopt, true, "xxxx"},
        {"", "x", "y", std::nullopt, std::nullopt, true, ""},
        {"\xB0xx", "x", "y", std::nullopt, std::nullopt, true, "\xB0xy"},
        {"abab", "ab", "", std::nullopt, std::nullopt, true, ""},
        {"a\xE0", "q", "z", std::nullopt, std::nullopt, true, "a\xE0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            ReplaceAll(Text(c.text), Text(c.what), Text(c.with), c.start, c.number, c.caseSensitive)
                .bytes(),
            c.want)
            << c.text;
    }
}

TEST(TextMisc, ConcatToTextCompare) {
    EXPECT_EQ(Concat(Text("a"), Text(), "b", Text("cd")).bytes(), "abcd");
    EXPECT_EQ(ToText(-5).bytes(), "-5");
    EXPECT_EQ(ToText(0).bytes(), "0");
    EXPECT_EQ(ToText(INT32_MIN).bytes(), "-2147483648");
    EXPECT_EQ(Compare(Text("a"), Text("\xB0")), -1);  // unsigned bytes
    EXPECT_EQ(Compare(Text("ab"), Text("a")), 1);
    EXPECT_EQ(Compare(Text("a"), Text("ab")), -1);
    EXPECT_EQ(Compare(Text("ab"), Text("ab")), 0);
}

TEST(TextList, NumberedFromOne) {
    TextList list = Split(Text("x,y"));
    ASSERT_EQ(Size(list), 2);
    EXPECT_EQ(list.Item(1).bytes(), "x");
    EXPECT_EQ(list.Item(2).bytes(), "y");
    EXPECT_THROW(list.Item(3), std::out_of_range);
    EXPECT_THROW(list.Item(0), std::out_of_range);
}

}  // namespace
}  // namespace tavimo
