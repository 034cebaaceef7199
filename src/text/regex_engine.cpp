#include "text/regex_engine.h"

#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include <boost/regex.hpp>

namespace tavimo {

namespace {

// ---------------------------------------------------------------------------
// Character rules of the component, the same on every platform: word and digit
// classes are ASCII, white space includes the ideographic space, and case is
// ignored for the ASCII letters only (as the system component does; full-width
// and Greek letters keep their case).

char32_t FoldCase(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
}
char32_t UpperCase(char32_t c) {
    return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
}

bool IsSpace(char32_t c) {
    return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

class ComponentTraits : public boost::cpp_regex_traits<wchar_t> {
    using Base = boost::cpp_regex_traits<wchar_t>;

  public:
    ComponentTraits() {
        static const wchar_t s[] = L"s";
        space_ = Base::lookup_classname(s, s + 1);
    }
    wchar_t translate_nocase(wchar_t c) const { return Fold(c); }
    wchar_t translate(wchar_t c) const { return c; }
    wchar_t translate(wchar_t c, bool icase) const { return icase ? Fold(c) : c; }
    wchar_t tolower(wchar_t c) const { return Fold(c); }
    wchar_t toupper(wchar_t c) const {
        return static_cast<wchar_t>(UpperCase(static_cast<char32_t>(c)));
    }
    bool isctype(wchar_t c, char_class_type f) const {
        char32_t u = static_cast<char32_t>(c);
        if (u < 0x80)
            return Base::isctype(c, f);
        return (f & space_) && IsSpace(u);
    }

  private:
    static wchar_t Fold(wchar_t c) {
        return static_cast<wchar_t>(FoldCase(static_cast<char32_t>(c)));
    }
    char_class_type space_ = 0;
};

using Regex = boost::basic_regex<wchar_t, ComponentTraits>;
using WMatch = boost::match_results<std::wstring::const_iterator>;

std::wstring Widen(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

// ---------------------------------------------------------------------------
// Pattern translation: the component's syntax into Boost's Perl syntax with
// the component's meaning for '.', '^', '$', escapes and stray braces.

constexpr const wchar_t* kNotLineEnd = L"[^\\n\\r\\x{2028}\\x{2029}]";

int HexValue(char16_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void EmitCode(std::wstring& out, uint32_t code) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    out += L"\\x{";
    std::wstring hex;
    do {
        hex.insert(hex.begin(), digits[code % 16]);
        code /= 16;
    } while (code);
    out += hex;
    out += L'}';
}

// Number of capturing groups, for telling back references from octal escapes.
int CountGroups(std::u16string_view p) {
    int groups = 0;
    bool inClass = false;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '\\') {
            ++i;
        } else if (inClass) {
            if (p[i] == ']')
                inClass = false;
        } else if (p[i] == '[') {
            inClass = true;
            if (i + 1 < p.size() && p[i + 1] == ']')
                ++i;  // "[]" is a whole class
        } else if (p[i] == '(' && (i + 1 >= p.size() || p[i + 1] != '?')) {
            ++groups;
        }
    }
    return groups;
}

// A valid quantifier {n}, {n,} or {n,m} starts at p[i].
bool IsQuantifier(std::u16string_view p, size_t i) {
    size_t j = i + 1;
    size_t digits = 0;
    while (j < p.size() && p[j] >= '0' && p[j] <= '9')
        ++j, ++digits;
    if (!digits)
        return false;
    if (j < p.size() && p[j] == ',') {
        ++j;
        while (j < p.size() && p[j] >= '0' && p[j] <= '9')
            ++j;
    }
    return j < p.size() && p[j] == '}';
}

std::optional<std::wstring> Translate(std::u16string_view p, bool multiline) {
    const int groups = CountGroups(p);
    std::wstring out;
    out.reserve(p.size() * 2);
    bool inClass = false;
    for (size_t i = 0; i < p.size(); ++i) {
        char16_t c = p[i];
        if (c == '\\') {
            if (i + 1 >= p.size())
                return std::nullopt;  // a trailing backslash
            char16_t d = p[++i];
            switch (d) {
                case 'd':
                case 'D':
                case 'w':
                case 'W':
                case 's':
                case 'S':
                case 'f':
                case 'n':
                case 'r':
                case 't':
                    out += L'\\';
                    out += static_cast<wchar_t>(d);
                    break;
                case 'b':
                case 'B':
                    if (inClass && d == 'b') {
                        EmitCode(out, 8);  // backspace inside a class
                    } else if (inClass) {
                        EmitCode(out, 'B');
                    } else {
                        out += L'\\';
                        out += static_cast<wchar_t>(d);
                    }
                    break;
                case 'v':
                    EmitCode(out, 0x0B);
                    break;
                case 'x':
                case 'u': {
                    size_t n = d == 'x' ? 2 : 4;
                    uint32_t code = 0;
                    bool ok = true;
                    for (size_t k = 1; ok && k <= n; ++k) {
                        int h = i + k < p.size() ? HexValue(p[i + k]) : -1;
                        if (h < 0)
                            ok = false;
                        else
                            code = code * 16 + static_cast<uint32_t>(h);
                    }
                    if (ok) {
                        EmitCode(out, code);
                        i += n;
                    } else {
                        EmitCode(out, d);  // not an escape: the letter itself
                    }
                    break;
                }
                case 'c':
                    if (i + 1 < p.size() &&
                        ((p[i + 1] | 0x20) >= 'a' && (p[i + 1] | 0x20) <= 'z')) {
                        EmitCode(out, p[++i] % 32);
                    } else {
                        out += L"\\\\";  // a lone "\c" stands for itself
                        EmitCode(out, 'c');
                    }
                    break;
                default:
                    if (d >= '0' && d <= '9') {
                        size_t j = i;
                        uint32_t number = 0;
                        while (j < p.size() && p[j] >= '0' && p[j] <= '9' && number < 100000)
                            number = number * 10 + (p[j++] - '0');
                        if (!inClass && d != '0' && number <= static_cast<uint32_t>(groups)) {
                            out += L"\\g{" + std::to_wstring(number) + L"}";
                            i = j - 1;
                        } else if (d <= '7') {
                            // An octal escape of up to three digits, at most 0377.
                            uint32_t code = 0;
                            size_t k = i;
                            while (k < p.size() && k < i + 3 && p[k] >= '0' && p[k] <= '7' &&
                                   code * 8 + (p[k] - '0') <= 0377)
                                code = code * 8 + (p[k++] - '0');
                            EmitCode(out, code);
                            i = k - 1;
                        } else {
                            EmitCode(out, d);
                        }
                    } else {
                        EmitCode(out, d);  // any other escaped character is itself
                    }
            }
            continue;
        }
        if (inClass) {
            if (c == ']') {
                inClass = false;
                out += L']';
            } else if (c == '[') {
                out += L"\\[";
            } else {
                out += static_cast<wchar_t>(c);
            }
            continue;
        }
        switch (c) {
            case '[':
                if (i + 1 < p.size() && p[i + 1] == ']') {
                    out += L"(?!)";  // matches nothing
                    ++i;
                } else if (i + 2 < p.size() && p[i + 1] == '^' && p[i + 2] == ']') {
                    out += L"(?s:.)";  // any character
                    i += 2;
                } else {
                    out += L'[';
                    inClass = true;
                    if (i + 1 < p.size() && p[i + 1] == '^') {
                        out += L'^';
                        ++i;
                    }
                }
                break;
            case '.':
                out += kNotLineEnd;
                break;
            case '^':
                out += multiline ? std::wstring(L"(?<!") + kNotLineEnd + L")" : L"\\`";
                break;
            case '$':
                out += multiline ? std::wstring(L"(?!") + kNotLineEnd + L")" : L"\\'";
                break;
            case '(':
                if (i + 1 < p.size() && p[i + 1] == '?') {
                    if (i + 2 >= p.size() ||
                        (p[i + 2] != ':' && p[i + 2] != '=' && p[i + 2] != '!'))
                        return std::nullopt;
                }
                out += L'(';
                break;
            case '{':
                if (IsQuantifier(p, i)) {
                    while (p[i] != '}')
                        out += static_cast<wchar_t>(p[i++]);
                    out += L'}';
                } else {
                    out += L"\\{";
                }
                break;
            case '}':
                out += L"\\}";
                break;
            default:
                out += static_cast<wchar_t>(c);
        }
    }
    if (inClass)
        return std::nullopt;
    return out;
}

// ---------------------------------------------------------------------------
// Matching.

struct Match {
    size_t index = 0;
    size_t length = 0;
    std::vector<std::optional<std::u16string>> groups;  // unmatched: nullopt
};

struct Options {
    bool ignoreCase = false;
    bool global = false;
    bool multiline = false;
};

std::optional<Regex> Compile(std::u16string_view pattern, const Options& o) {
    std::optional<std::wstring> translated = Translate(pattern, o.multiline);
    if (!translated)
        return std::nullopt;
    boost::regex_constants::syntax_option_type flags = boost::regex_constants::perl;
    if (o.ignoreCase)
        flags |= boost::regex_constants::icase;
    try {
        return Regex(*translated, flags);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Every match, scanning from the start; after an empty match the next search
// begins one character further on. nullopt when the engine gives up.
// The character every match must begin with, when the pattern makes that
// plain: a leading literal that is no letter (case would matter), that no
// quantifier may skip, in a pattern without a top-level alternative. Lets the
// search jump from candidate to candidate instead of trying every position.
std::optional<wchar_t> LeadingLiteral(std::u16string_view p) {
    if (p.empty())
        return std::nullopt;
    size_t next = 1;
    wchar_t lead = 0;
    if (p[0] == '\\') {
        if (p.size() < 2)
            return std::nullopt;
        switch (p[1]) {
            case 'n':
                lead = L'\n';
                break;
            case 'r':
                lead = L'\r';
                break;
            case 't':
                lead = L'\t';
                break;
            case 'f':
                lead = L'\f';
                break;
            default:
                return std::nullopt;
        }
        next = 2;
    } else if (std::u16string_view(u"\\^$.|?*+()[]{}").find(p[0]) == std::u16string_view::npos &&
               !((p[0] | 0x20) >= 'a' && (p[0] | 0x20) <= 'z')) {
        lead = static_cast<wchar_t>(p[0]);
    } else {
        return std::nullopt;
    }
    if (next < p.size() && (p[next] == '?' || p[next] == '*' || p[next] == '{'))
        return std::nullopt;
    int depth = 0;
    bool inClass = false;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '\\')
            ++i;
        else if (inClass)
            inClass = p[i] != ']';
        else if (p[i] == '[')
            inClass = true;
        else if (p[i] == '(')
            ++depth;
        else if (p[i] == ')')
            --depth;
        else if (p[i] == '|' && depth == 0)
            return std::nullopt;
    }
    return lead;
}

// Every match, scanning from the start; after an empty match the next search
// begins one character further on. False when the engine gives up.
template <class OnMatch>
bool ForEachMatch(const Regex& re, std::optional<wchar_t> lead, const std::wstring& subject,
                  bool global, OnMatch onMatch) {
    const auto begin = subject.cbegin();
    const auto end = subject.cend();
    size_t pos = 0;
    try {
        while (pos <= subject.size()) {
            boost::match_flag_type flags = boost::match_default;
            if (lead) {
                pos = subject.find(*lead, pos);
                if (pos == std::wstring::npos)
                    break;
                flags |= boost::match_continuous;
            }
            if (pos > 0)
                flags |= boost::match_prev_avail;
            WMatch m;
            if (!boost::regex_search(begin + static_cast<std::ptrdiff_t>(pos), end, m, re, flags,
                                     begin)) {
                if (!lead)
                    break;
                ++pos;
                continue;
            }
            onMatch(m);
            if (!global)
                break;
            size_t stop = static_cast<size_t>(m[0].second - begin);
            pos = m.length(0) == 0 ? stop + 1 : stop;
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// Positions in the wide copy of a subject are positions in the subject.
Match ToMatch(const WMatch& m, std::wstring::const_iterator begin, const std::u16string& subject) {
    Match out;
    out.index = static_cast<size_t>(m[0].first - begin);
    out.length = static_cast<size_t>(m.length(0));
    for (size_t g = 1; g < m.size(); ++g) {
        if (m[g].matched)
            out.groups.push_back(subject.substr(static_cast<size_t>(m[g].first - begin),
                                                static_cast<size_t>(m[g].length())));
        else
            out.groups.push_back(std::nullopt);
    }
    return out;
}

// The replacement string of one match: $$, $&, $`, $' and $n/$nn as far as
// the groups exist; anything else after '$' stands for itself.
void AppendReplacement(std::u16string& out, std::u16string_view with, const WMatch& m,
                       std::wstring::const_iterator wideBegin, const std::u16string& subject) {
    auto offset = [wideBegin](std::wstring::const_iterator it) {
        return static_cast<size_t>(it - wideBegin);
    };
    const size_t groups = m.size() - 1;
    const size_t start = offset(m[0].first);
    const size_t stop = offset(m[0].second);
    for (size_t i = 0; i < with.size(); ++i) {
        char16_t c = with[i];
        if (c != u'$' || i + 1 >= with.size()) {
            out += c;
            continue;
        }
        char16_t d = with[i + 1];
        if (d == u'$') {
            out += u'$';
            ++i;
        } else if (d == u'&') {
            out.append(subject, start, stop - start);
            ++i;
        } else if (d == u'`') {
            out.append(subject, 0, start);
            ++i;
        } else if (d == u'\'') {
            out.append(subject, stop, std::u16string::npos);
            ++i;
        } else if (d >= u'0' && d <= u'9') {
            size_t idx = static_cast<size_t>(d - u'0');
            size_t used = 1;
            if (i + 2 < with.size() && with[i + 2] >= u'0' && with[i + 2] <= u'9' &&
                idx * 10 + static_cast<size_t>(with[i + 2] - u'0') <= groups) {
                idx = idx * 10 + static_cast<size_t>(with[i + 2] - u'0');
                used = 2;
            } else if (idx == 0 || idx > groups) {
                out += c;
                continue;
            }
            const auto& group = m[static_cast<int>(idx)];
            if (group.matched)
                out.append(subject, offset(group.first),
                           offset(group.second) - offset(group.first));
            i += used;
        } else {
            out += c;
        }
    }
}

// ---------------------------------------------------------------------------
// The automation objects.

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

std::optional<size_t> IndexArg(std::span<const RegexValue> args, size_t count) {
    if (args.size() != 1)
        return std::nullopt;
    const double* d = std::get_if<double>(&args[0]);
    if (!d || !std::isfinite(*d) || *d < 0)
        return std::nullopt;
    double index = std::trunc(*d);
    if (index >= static_cast<double>(count))
        return std::nullopt;
    return static_cast<size_t>(index);
}

class ReadOnlyObject : public RegexAutomationObject {
  public:
    bool Put(std::string_view, const RegexValue&) override { return false; }
    std::optional<RegexValue> Call(std::string_view member,
                                   std::span<const RegexValue> args) override {
        return Get(member, args);  // members are properties; a call reads them too
    }
};

class SubMatchCollection : public ReadOnlyObject {
  public:
    explicit SubMatchCollection(std::vector<std::optional<std::u16string>> items)
        : items_(std::move(items)) {}
    std::optional<RegexValue> Get(std::string_view member,
                                  std::span<const RegexValue> args) override {
        if (SameName(member, "Count") && args.empty())
            return static_cast<double>(items_.size());
        if (SameName(member, "Item")) {
            auto i = IndexArg(args, items_.size());
            if (!i)
                return std::nullopt;
            if (!items_[*i])
                return RegexValue();  // a group that took no part
            return *items_[*i];
        }
        return std::nullopt;
    }

  private:
    std::vector<std::optional<std::u16string>> items_;
};

class MatchObject : public ReadOnlyObject {
  public:
    MatchObject(Match m, std::u16string value) : m_(std::move(m)), value_(std::move(value)) {}
    std::optional<RegexValue> Get(std::string_view member,
                                  std::span<const RegexValue> args) override {
        if (!args.empty())
            return std::nullopt;
        if (SameName(member, "Value"))
            return value_;
        if (SameName(member, "FirstIndex"))
            return static_cast<double>(m_.index);
        if (SameName(member, "Length"))
            return static_cast<double>(m_.length);
        if (SameName(member, "SubMatches"))
            return RegexRef(std::make_shared<SubMatchCollection>(m_.groups));
        return std::nullopt;
    }

  private:
    Match m_;
    std::u16string value_;
};

class MatchCollection : public ReadOnlyObject {
  public:
    explicit MatchCollection(std::vector<RegexRef> items) : items_(std::move(items)) {}
    std::optional<RegexValue> Get(std::string_view member,
                                  std::span<const RegexValue> args) override {
        if (SameName(member, "Count") && args.empty())
            return static_cast<double>(items_.size());
        if (SameName(member, "Item")) {
            auto i = IndexArg(args, items_.size());
            if (!i)
                return std::nullopt;
            return items_[*i];
        }
        return std::nullopt;
    }

  private:
    std::vector<RegexRef> items_;
};

class Expression : public RegexAutomationObject {
  public:
    bool Put(std::string_view member, const RegexValue& value) override {
        if (SameName(member, "Pattern")) {
            const auto* s = std::get_if<std::u16string>(&value);
            if (!s)
                return false;
            pattern_ = *s;
            compiled_.reset();
            return true;
        }
        bool* flag = Flag(member);
        const bool* b = std::get_if<bool>(&value);
        if (!flag || !b)
            return false;
        if (*flag != *b)
            compiled_.reset();
        *flag = *b;
        return true;
    }

    std::optional<RegexValue> Get(std::string_view member,
                                  std::span<const RegexValue> args) override {
        if (!args.empty())
            return std::nullopt;
        if (SameName(member, "Pattern"))
            return pattern_;
        if (bool* flag = Flag(member))
            return *flag;
        return std::nullopt;
    }

    std::optional<RegexValue> Call(std::string_view member,
                                   std::span<const RegexValue> args) override {
        if (SameName(member, "Execute") && args.size() == 1) {
            const auto* s = std::get_if<std::u16string>(&args[0]);
            if (!s)
                return std::nullopt;
            return Execute(*s);
        }
        if (SameName(member, "Replace") && args.size() == 2) {
            const auto* s = std::get_if<std::u16string>(&args[0]);
            const auto* with = std::get_if<std::u16string>(&args[1]);
            if (!s || !with)
                return std::nullopt;
            return Replace(*s, *with);
        }
        if (SameName(member, "Test") && args.size() == 1) {
            const auto* s = std::get_if<std::u16string>(&args[0]);
            if (!s || !Compiled())
                return std::nullopt;
            bool found = false;
            if (!ForEachMatch(*compiled_, lead_, Widen(*s), false,
                              [&](const WMatch&) { found = true; }))
                return std::nullopt;
            return found;
        }
        return Get(member, args);
    }

  private:
    bool* Flag(std::string_view member) {
        if (SameName(member, "IgnoreCase"))
            return &options_.ignoreCase;
        if (SameName(member, "Global"))
            return &options_.global;
        if (SameName(member, "Multiline"))
            return &options_.multiline;
        return nullptr;
    }

    const Regex* Compiled() {
        if (!compiled_) {
            compiled_ = Compile(pattern_, options_);
            lead_ = LeadingLiteral(pattern_);
        }
        return compiled_ ? &*compiled_ : nullptr;
    }

    std::optional<RegexValue> Execute(const std::u16string& subject) {
        if (!Compiled())
            return std::nullopt;
        const std::wstring wide = Widen(subject);
        std::vector<RegexRef> items;
        bool ok = ForEachMatch(*compiled_, lead_, wide, options_.global, [&](const WMatch& m) {
            Match match = ToMatch(m, wide.cbegin(), subject);
            std::u16string value = subject.substr(match.index, match.length);
            items.push_back(std::make_shared<MatchObject>(std::move(match), std::move(value)));
        });
        if (!ok)
            return std::nullopt;
        return RegexRef(std::make_shared<MatchCollection>(std::move(items)));
    }

    std::optional<RegexValue> Replace(const std::u16string& subject, const std::u16string& with) {
        if (!Compiled())
            return std::nullopt;
        const std::wstring wide = Widen(subject);
        std::u16string out;
        out.reserve(subject.size());
        size_t copied = 0;
        bool ok = ForEachMatch(*compiled_, lead_, wide, options_.global, [&](const WMatch& m) {
            size_t start = static_cast<size_t>(m[0].first - wide.cbegin());
            out.append(subject, copied, start - copied);
            AppendReplacement(out, with, m, wide.cbegin(), subject);
            copied = static_cast<size_t>(m[0].second - wide.cbegin());
        });
        if (!ok)
            return std::nullopt;
        out.append(subject, copied, std::u16string::npos);
        return out;
    }

    Options options_;
    std::u16string pattern_;
    std::optional<Regex> compiled_;
    std::optional<wchar_t> lead_;
};

class StandInComponent : public RegexComponent {
  public:
    RegexRef CreateExpression() override { return std::make_shared<Expression>(); }
};

}  // namespace

std::shared_ptr<RegexComponent> StandInRegexComponent() {
    return std::make_shared<StandInComponent>();
}

}  // namespace tavimo
