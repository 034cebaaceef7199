#include "text/regex_object.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "support/fake_regex_component.h"
#include "text/codepage.h"
#include "text/regex_engine.h"

namespace tavimo {
namespace {

using ::testing::ElementsAre;
using testing::FakeMode;
using testing::FakeRegexComponent;

TEST(RegexObject, CreateWritesOptionsInOrderThenPatternThenExecutes) {
    struct Case {
        std::optional<bool> caseSensitive, multiLine, global;
        const char *ignoreCase, *multi, *all;
    } cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, "=1", "=1", "=1"},
        {true, false, false, "=0", "=0", "=0"},
        {false, true, std::nullopt, "=1", "=1", "=1"},
    };
    for (const Case& c : cases) {
        auto fake = std::make_shared<FakeRegexComponent>();
        RegexObject re(fake);
        EXPECT_TRUE(re.Create(Text("b"), Text("abc"), c.caseSensitive, c.multiLine, c.global));
        EXPECT_THAT(fake->log->calls,
                    ElementsAre("Create", std::string("Put IgnoreCase") + c.ignoreCase,
                                std::string("Put Multiline") + c.multi, "Put Singleline=1",
                                std::string("Put Global") + c.all, "Put Pattern", "Call Execute"));
    }
}

TEST(RegexObject, QuoteMarkerBecomesADoubleQuoteOnlyWhenAsked) {
    const Text pattern = FromUtf8("a#引号#引号b#引号");
    struct Case {
        std::optional<bool> flag;
        std::u16string want;
    } cases[] = {
        {true, u"a\"\"b\""},
        {false, u"a#引号#引号b#引号"},
        {std::nullopt, u"a#引号#引号b#引号"},
    };
    for (const Case& c : cases) {
        auto fake = std::make_shared<FakeRegexComponent>();
        RegexObject re(fake);
        re.Create(pattern, Text("x"), std::nullopt, std::nullopt, std::nullopt, c.flag);
        EXPECT_EQ(fake->log->pattern, c.want);
        EXPECT_EQ(re.GetPattern(), Text(Utf16ToCp936(c.want)));
    }
    RegexObject re(StandInRegexComponent());
    re.Create(pattern, Text("say \"\"hi\""), std::nullopt, std::nullopt, std::nullopt, true);
    EXPECT_EQ(re.MatchCount(), 0);
    re.Create(FromUtf8("#引号#引号"), Text("say \"\"hi\""), {}, {}, {}, true);
    EXPECT_EQ(re.MatchCount(), 1);
}

TEST(RegexObject, MatchesCountsAndReplacement) {
    RegexObject re(StandInRegexComponent());
    EXPECT_TRUE(re.Create(Text("x"), Text("abc")));  // no match is still a collection
    EXPECT_EQ(re.MatchCount(), 0);
    EXPECT_EQ(re.SubMatchCount(), 0);

    EXPECT_TRUE(re.Create(Text("(a)(b)?"), Text("a-ab-A")));
    EXPECT_EQ(re.MatchCount(), 3);  // case ignored by default
    EXPECT_EQ(re.SubMatchCount(), 2);
    EXPECT_EQ(re.SubMatchText(2, 2), Text("b"));
    EXPECT_EQ(re.SubMatchText(1, 2), Text(""));  // a group that took no part
    EXPECT_EQ(re.ReplaceMatches(Text("[$1$2]")), Text("[a]-[ab]-[A]"));

    EXPECT_TRUE(re.Create(Text("a"), Text("aXa"), std::nullopt, std::nullopt, false));
    EXPECT_EQ(re.ReplaceMatches(Text("-")), Text("-Xa"));  // Global false: the first only
    EXPECT_EQ(re.MatchCount(), 1);
}

TEST(RegexObject, PositionIsTheMatchByteOffset) {
    const Text zhong = FromUtf8("中");
    struct Case {
        Text subject, pattern;
        int32_t n, k;  // k = 0: MatchText
        const char* text;
        int32_t position;
    } cases[] = {
        {Text("abc"), Text("b"), 1, 0, "b", 1},
        {Concat(zhong, Text("b")), Text("b"), 1, 0, "b", 2},
        {Text("aa"), Text("a"), 2, 0, "a", 1},
        {Concat(zhong, Text("a"), zhong, Text("a")), Text("a"), 2, 0, "a", 5},
        {Concat(zhong, Text("xy")), Text("x(y)"), 1, 1, "y", 2},  // the match's offset
        {Text("aa"), Text("a"), 0, 0, "", -1},
        {Text("aa"), Text("a"), 3, 0, "", -1},
        {Text("aa"), Text("(a)"), 1, 2, "", -1},
        {Text("aa"), Text("(a)"), 3, 1, "", -1},
        {Text(""), Text("a"), 1, 0, "", -1},
    };
    for (const Case& c : cases) {
        RegexObject re(StandInRegexComponent());
        ASSERT_TRUE(re.Create(c.pattern, c.subject));
        int32_t position = 99;
        Text got = c.k ? re.SubMatchText(c.n, c.k, &position) : re.MatchText(c.n, &position);
        EXPECT_EQ(got, Text(c.text)) << c.subject << " / " << c.pattern << " #" << c.n;
        EXPECT_EQ(position, c.position) << c.subject << " / " << c.pattern << " #" << c.n;
    }
}

TEST(RegexObject, ResultsComeBackAsTheCodePageConversionGivesThem) {
    std::string subject = "a\x80\xFF\xB0";  // a lone trail, a bad lead, a lead at the end
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            subject += static_cast<char>(lead);
            subject += static_cast<char>(trail);
        }
    }
    std::rotate(subject.begin(), subject.begin() + 4, subject.end());
    const Text want(Utf16ToCp936(Cp936ToUtf16(subject)));
    RegexObject re(StandInRegexComponent());
    ASSERT_TRUE(re.Create(Text("[\\s\\S]+"), Text(subject)));
    EXPECT_EQ(re.MatchText(1), want);
    EXPECT_EQ(re.ReplaceMatches(Text("$&")), want);
}

TEST(RegexObject, MissingComponentMakesEveryQueryEmpty) {
    for (FakeMode mode : {FakeMode::kCannotCreate, FakeMode::kEveryCallFails}) {
        RegexObject re(std::make_shared<FakeRegexComponent>(mode));
        EXPECT_EQ(re.ReplaceMatches(Text("x")), Text());  // before any Create
        EXPECT_FALSE(re.Create(Text("a"), Text("aaa")));
        EXPECT_EQ(re.ReplaceMatches(Text("x")), Text());
        EXPECT_FALSE(re.TryReplaceMatches(Text("x")).has_value());
        EXPECT_EQ(re.MatchCount(), 0);
        EXPECT_EQ(re.SubMatchCount(), 0);
        int32_t position = 0;
        EXPECT_EQ(re.MatchText(1, &position), Text());
        EXPECT_EQ(position, -1);
        EXPECT_EQ(re.SubMatchText(1, 1), Text());
        EXPECT_EQ(re.GetPattern(), Text());
    }
}

TEST(RegexObject, RejectedPatternFailsCreateAndReplace) {
    RegexObject re(StandInRegexComponent());
    for (const char* bad : {"(", "a)", "[a", "a\\", "*a", "(?<x>a)"}) {
        EXPECT_FALSE(re.Create(Text(bad), Text("a(a)"))) << bad;
        EXPECT_EQ(re.ReplaceMatches(Text("x")), Text()) << bad;
        EXPECT_EQ(re.GetPattern(), Text(bad));
    }
}

TEST(RegexObject, CopySharesResultsAndKeepsThreadStateBalanced) {
    auto fake = std::make_shared<FakeRegexComponent>();
    {
        RegexObject re(fake);
        re.Create(Text("b+"), Text("abbc"));
        RegexObject copy(re);
        re.Create(Text("c"), Text("xyz"));  // the copy keeps the earlier run
        EXPECT_EQ(copy.MatchText(1), Text("bb"));
        EXPECT_EQ(copy.ReplaceMatches(Text("-")), Text("a-c"));
        EXPECT_EQ(re.MatchCount(), 0);
        EXPECT_EQ(fake->log->entered, 2);
    }
    EXPECT_EQ(fake->log->left, 2);
}

}  // namespace
}  // namespace tavimo
