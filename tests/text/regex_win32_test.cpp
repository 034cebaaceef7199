// The system component against the portable engine: the same table of
// patterns, subjects and replacements must give the same results through
// both. Fails when "VBScript.RegExp" cannot be created, so it never compares
// the portable engine with itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "text/clean_reference_text.h"
#include "text/clean_reference_text_cases.h"
#include "text/codepage.h"
#include "text/regex_component_win32.h"
#include "text/regex_engine.h"
#include "text/regex_object.h"
#include "win32/com_win32.h"
#include "win32/dispatch_win32.h"

namespace tavimo {
namespace {

bool SystemComponentExists() {
    win32::ComInit com;
    return static_cast<bool>(win32::CreateByProgId(L"VBScript.RegExp"));
}

// Everything the object reads back after one Create, as one string.
std::string ReadBack(std::shared_ptr<RegexComponent> component, const Text& pattern,
                     const Text& subject, const Text& replacement,
                     std::optional<bool> caseSensitive, std::optional<bool> multiLine,
                     std::optional<bool> global) {
    RegexObject re(std::move(component));
    std::ostringstream out;
    out << "create=" << re.Create(pattern, subject, caseSensitive, multiLine, global);
    out << " replace=" << re.ReplaceMatches(replacement);
    const int32_t count = re.MatchCount();
    const int32_t groups = re.SubMatchCount();
    out << " count=" << count << " groups=" << groups;
    for (int32_t n = 1; n <= count + 1; ++n) {
        int32_t position = 0;
        out << "\n #" << n << " " << re.MatchText(n, &position) << " @" << position;
        for (int32_t k = 1; k <= groups + 1; ++k) {
            out << " $" << k << "=" << re.SubMatchText(n, k, &position) << "@" << position;
        }
    }
    return out.str();
}

TEST(SystemRegex, ComponentCanBeCreated) {
    ASSERT_TRUE(SystemComponentExists()) << "\"VBScript.RegExp\" could not be created";
}

TEST(SystemRegex, SameResultsAsThePortableEngine) {
    ASSERT_TRUE(SystemComponentExists()) << "\"VBScript.RegExp\" could not be created";
    // Wine's component never ends a global run over an empty match, so the
    // patterns that can match empty are compared with Global off; and it
    // crashes on "$1" with an empty pattern, which gets a plain replacement.
    struct Pattern {
        const char* text;
        bool matchesEmpty = false;
        bool plainReplacement = false;
    } patterns[] = {
        {"\\n\\s*\\r"},
        {"^", true},
        {"$", true},
        {"^$", true},
        {"^\\s*$", true},
        {"."},
        {".+"},
        {"a*", true},
        {"", true, true},
        {"(a)(b)?"},
        {"([a-z]+)\\s*(\\d+)?"},
        {"\\w+"},
        {"\\bA"},
        {"[^a-z]"},
        {"\xD6\xD0"},
        {"[\xD6\xD0\xCE\xC4]+"},
        {"(?:ab|c)+"},
        {"a|b|", true},
        {"\\r?\\n"},
        {"x"},
        {"ABC"},
        {"\\s"},
        {"\\S+"},
        {"(\\S+)(\\s)"},
        {"a{1,2}"},
        {"(a)|(b)"},
        {"\\u4E2D"},
        {"(.)\\1"},
        {"\xA3\xC1"},
        {"[A-Z]+"},
        {"\\d{2,}"},
        {"b(?=c)"},
        {"b(?!c)"},
        {"[\\s\\S]{3}"},
        {"\xA6\xA1|\xA7\xD1"},
        {"(((a)b)c)"},
        {"^\\s*\\S", true},
        {"\\s*$", true},
    };
    const char* subjects[] = {
        "abc ABC abc aab bc 12 345",
        "\xD6\xD0\xCE\xC4"
        "abc\xD6\xD0\r\n\xB5\xDA\xB6\xFE ABC \xA3\xC1\xA3\xE1",
        "a\r\n\r\nb\n\rc\r\r\n  \r\n\td\n",
        "\r\n\xA1\xA1\r\n\xD6\xD0 \r\n\r\n",
        "\xA6\xA1\xA6\xC1\xA7\xA1\xA7\xD1\xA8\xA6\xA2\xF1\xA2\xA1",
        "",
    };
    const char* replacements[] = {"", "-", "[$1|$2|$&|$`|$'|$$|$3|$10|$]"};
    struct Options {
        std::optional<bool> caseSensitive, multiLine, global;
    } options[] = {
        {std::nullopt, std::nullopt, std::nullopt},
        {true, false, false},
        {true, true, true},
        {false, false, true},
        {std::nullopt, std::nullopt, false},
        {false, true, false},
    };
    auto system = win32::SystemRegexComponent(false);
    auto standIn = StandInRegexComponent();
    int run = 0;
    for (const Pattern& p : patterns) {
        const Text pattern(p.text);
        for (const char* subject : subjects) {
            for (const Options& o : options) {
                if (p.matchesEmpty && o.global.value_or(true))
                    continue;
                const Text with(replacements[p.plainReplacement ? 1 : run++ % 3]);
                std::string want = ReadBack(system, pattern, Text(subject), with, o.caseSensitive,
                                            o.multiLine, o.global);
                std::string got = ReadBack(standIn, pattern, Text(subject), with, o.caseSensitive,
                                           o.multiLine, o.global);
                EXPECT_EQ(got, want) << "pattern " << pattern << " subject " << Text(subject)
                                     << " replacement " << with;
            }
        }
    }
}

TEST(SystemRegex, CleaningExamplesWithTheSystemComponent) {
    ASSERT_TRUE(SystemComponentExists()) << "\"VBScript.RegExp\" could not be created";
    auto system = win32::SystemRegexComponent(false);
    for (const auto& c : testing::kCleanCases) {
        EXPECT_EQ(CleanReferenceText(Text(c.in), system), Text(c.out)) << "input: " << Text(c.in);
    }
}

TEST(SystemRegex, MissingComponentFallsBackOrKeepsTheText) {
    auto standIn = win32::SystemRegexComponent(true, L"Tavimo.NoSuchComponent");
    for (const auto& c : testing::kCleanCases) {
        EXPECT_EQ(CleanReferenceText(Text(c.in), standIn), Text(c.out)) << "input: " << Text(c.in);
    }
    auto none = win32::SystemRegexComponent(false, L"Tavimo.NoSuchComponent");
    EXPECT_EQ(CleanReferenceText(Text("\r\nA\r\n\r\nB\r\n"), none), Text("A\r\n\r\nB"));
    RegexObject re(none);
    EXPECT_FALSE(re.Create(Text("a"), Text("a")));
    EXPECT_EQ(re.ReplaceMatches(Text("b")), Text());
}

TEST(SystemRegex, InstalledAsTheDefault) {
    win32::UseSystemRegexComponent();
    HRESULT during = S_OK;
    std::thread worker([&during] {
        RegexObject re;
        EXPECT_TRUE(re.Create(Text("a"), Text("a")));
        during = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(during))
            ::CoUninitialize();
    });
    worker.join();
    InstallDefaultRegexComponent(nullptr);  // back to the portable engine
    EXPECT_EQ(during, RPC_E_CHANGED_MODE);  // the object entered COM on its thread
}

TEST(SystemRegex, ObjectLeavesAThreadWithoutComAsItFoundIt) {
    HRESULT after = E_FAIL;
    std::thread worker([&after] {
        {
            RegexObject re(win32::SystemRegexComponent(false));
            re.Create(Text("a"), Text("a"));
            RegexObject copy(re);
        }
        // Still in an apartment, this would be refused or merely counted.
        after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(after))
            ::CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(after, S_OK);
}

TEST(SystemRegex, MultiThreadedApartmentIsLeftAlone) {
    HRESULT after = E_FAIL;
    std::thread worker([&after] {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            RegexObject re(win32::SystemRegexComponent());
            EXPECT_TRUE(re.Create(Text("a"), Text("aa")));
            EXPECT_EQ(re.MatchCount(), 2);
        }
        after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE: still initialised
        if (SUCCEEDED(after))
            ::CoUninitialize();
        ::CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(after, S_FALSE);
}

TEST(DispatchHelper, FailuresGiveEmptyResults) {
    win32::ComInit com;
    EXPECT_FALSE(win32::CreateByProgId(L"Tavimo.NoSuchComponent"));
    EXPECT_FALSE(win32::GetProperty(nullptr, L"Pattern").has_value());
    EXPECT_FALSE(win32::PutProperty(nullptr, L"Pattern", win32::Variant::FromString(L"a")));
    win32::ComPtr<IDispatch> re = win32::CreateByProgId(L"VBScript.RegExp");
    ASSERT_TRUE(re);
    EXPECT_FALSE(win32::PutProperty(re.get(), L"Singleline", win32::Variant::FromBool(true)));
    EXPECT_FALSE(win32::GetProperty(re.get(), L"NoSuchMember").has_value());
    EXPECT_TRUE(win32::PutProperty(re.get(), L"Pattern", win32::Variant::FromString(L"(")));
    const win32::Variant subject = win32::Variant::FromString(L"a(");
    EXPECT_FALSE(win32::CallMethod(re.get(), L"Execute", {&subject, 1}).has_value());
    std::optional<win32::Variant> pattern = win32::GetProperty(re.get(), L"Pattern");
    ASSERT_TRUE(pattern && pattern->type() == VT_BSTR);
    EXPECT_EQ(std::wstring(pattern->get().bstrVal), L"(");
}

}  // namespace
}  // namespace tavimo
