// The portable engine follows the component's pattern language, not Boost's
// own defaults: line ends, '.', empty matches, escapes, replacement strings.
#include "text/regex_engine.h"

#include <gtest/gtest.h>

#include "text/codepage.h"
#include "text/regex_object.h"

namespace tavimo {
namespace {

struct Case {
    const char* pattern;
    const char* subject;
    const char* replacement;
    const char* want;
    bool ignoreCase = true;
    bool multiLine = true;
};

TEST(RegexEngine, ReplaceFollowsTheComponentLanguage) {
    const Case cases[] = {
        // ^ and $ at every line end, CR and LF alike, also between CR and LF.
        {"^", "a\r\nb", "#", "#a\r#\n#b"},
        {"$", "a\r\nb", "#", "a#\r#\nb#"},
        {"^$", "a\r\n\r\nb", "#", "a\r#\n#\r#\nb"},
        {"^a|b$", "a\nab\nb", "#", "#\nab\n#", true, false},
        {"^a|b$", "a\nab\nb", "#", "#\n##\n#"},
        // '.' stops at CR and LF.
        {".+", "ab\rc\nd", "#", "#\r#\n#"},
        // Empty matches step one character on.
        {"a*", "baaac", "-", "-b--c-"},
        {"", "ab", "-", "-a-b-"},
        {"x*", "", "-", "-"},
        // Replacement strings.
        {"(a)(b)?", "ab a", "[$2$1$$$&$3$0$]", "[ba$ab$3$0$] [a$a$3$0$]"},
        {"b", "abc", "[$`|$']", "a[a|c]c"},
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "abcdefghijk", "$11$10$12", "kja2"},
        // Escapes of the component's language.
        {"\\x41\\u0042\\103", "ABC", "#", "#"},
        {"\\A\\z", "Az", "#", "#"},
        {"\\v\\cJ", "\x0B\n", "#", "#"},
        {"[\\b]", "a\bb", "#", "a#b"},
        {"(a)\\1", "aa", "#", "#"},
        {"a{", "a{", "#", "#"},
        {"a{2}", "aaa", "#", "#a"},
        {"[]a", "a", "#", "a"},
        {"[^]", "\n", "#", "#"},
        // Case and classes are ASCII; the ideographic space is white space.
        {"abc", "ABC", "#", "#"},
        {"abc", "ABC", "#", "ABC", false},
        {"\\w+",
         "ab\xD6\xD0"
         "cd",
         "#", "#\xD6\xD0#"},
        {"\\s",
         "a\xA1\xA1"
         "b",
         "#", "a#b"},
        {"\xA3\xC1|\xA6\xA1", "\xA3\xE1\xA6\xC1", "#", "\xA3\xE1\xA6\xC1"},  // full-width, Greek
        {"\\bb", "ab b", "#", "ab #"},
    };
    for (const Case& c : cases) {
        RegexObject re(StandInRegexComponent());
        ASSERT_TRUE(re.Create(Text(c.pattern), Text(c.subject), !c.ignoreCase, c.multiLine))
            << c.pattern;
        EXPECT_EQ(re.ReplaceMatches(Text(c.replacement)), Text(c.want))
            << "pattern " << c.pattern << " subject " << Text(c.subject);
    }
}

TEST(RegexEngine, ExecuteListsMatchesWithWideOffsets) {
    RegexObject re(StandInRegexComponent());
    ASSERT_TRUE(re.Create(Text("a*"), Text("baaa")));
    ASSERT_EQ(re.MatchCount(), 3);
    int32_t p = 0;
    EXPECT_EQ(re.MatchText(1, &p), Text(""));
    EXPECT_EQ(p, 0);
    EXPECT_EQ(re.MatchText(2, &p), Text("aaa"));
    EXPECT_EQ(p, 1);
    EXPECT_EQ(re.MatchText(3, &p), Text(""));
    EXPECT_EQ(p, 4);
}

}  // namespace
}  // namespace tavimo
