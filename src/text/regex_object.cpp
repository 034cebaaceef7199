#include "text/regex_object.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "text/codepage.h"

namespace tavimo {

namespace {

// Numbers arrive as doubles and are truncated towards zero; anything else,
// a failed read included, is 0.
int32_t ToInt(const std::optional<RegexValue>& v) {
    const double* d = v ? std::get_if<double>(&*v) : nullptr;
    if (!d || !std::isfinite(*d))
        return 0;
    double t = std::trunc(*d);
    if (t > INT32_MAX)
        return INT32_MAX;
    if (t < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(t);
}

// Utf16ToCp936, one table lookup a unit: results of a whole reference text
// come back through here. The table is Utf16ToCp936 of each unit on its own;
// a surrogate pair is one unmappable character, as there.
std::string ToCp936(std::u16string_view units) {
    static const std::vector<uint16_t> table = [] {
        std::vector<uint16_t> t(0x10000);
        for (uint32_t u = 0; u < 0x10000; ++u) {
            std::string b = Utf16ToCp936(std::u16string(1, static_cast<char16_t>(u)));
            t[u] = b.size() == 2
                       ? static_cast<uint16_t>((static_cast<unsigned char>(b[0]) << 8) |
                                               static_cast<unsigned char>(b[1]))
                       : static_cast<uint16_t>(b.empty() ? '?' : static_cast<unsigned char>(b[0]));
        }
        return t;
    }();
    std::string out;
    out.reserve(units.size() + units.size() / 2);
    for (size_t i = 0; i < units.size(); ++i) {
        char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            ++i;
            out += '?';
            continue;
        }
        uint16_t code = table[u];
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

Text ToText(const std::optional<RegexValue>& v) {
    const std::u16string* s = AsString(v);
    return s ? Text(ToCp936(*s)) : Text();
}

RegexValue Wide(const Text& t) {
    return Cp936ToUtf16(t.view());
}

RegexRef ItemOf(const RegexRef& collection, int32_t zeroBased) {
    if (!collection)
        return nullptr;
    const std::array<RegexValue, 1> args{static_cast<double>(zeroBased)};
    return AsObject(collection->Get("Item", args));
}

}  // namespace

RegexObject::RegexObject(std::shared_ptr<RegexComponent> component)
    : component_(std::move(component)) {
    if (component_)
        component_->EnterThread();
}

RegexObject::RegexObject(const RegexObject& other)
    : component_(other.component_),
      expression_(other.expression_),
      matches_(other.matches_),
      subject_(other.subject_) {
    if (component_)
        component_->EnterThread();
}

RegexObject::~RegexObject() {
    expression_.reset();
    matches_.reset();
    subject_ = RegexValue();
    if (component_)
        component_->LeaveThread();
}

bool RegexObject::Create(const Text& pattern, const Text& subject,
                         std::optional<bool> caseSensitive, std::optional<bool> multiLine,
                         std::optional<bool> global, std::optional<bool> quoteMarker) {
    const bool ignoreCase = caseSensitive ? !*caseSensitive : true;
    const bool multi = multiLine.value_or(true);
    const bool all = global.value_or(true);

    expression_.reset();
    matches_.reset();
    expression_ = component_ ? component_->CreateExpression() : nullptr;

    // A failed write has no effect; "Singleline" is not a member of the
    // component and always fails, leaving the other options as written.
    if (expression_) {
        expression_->Put("IgnoreCase", ignoreCase);
        expression_->Put("Multiline", multi);
        expression_->Put("Singleline", true);
        expression_->Put("Global", all);
    }

    Text compiled = quoteMarker.value_or(false)
                        ? ReplaceAll(pattern, FromUtf8("#引号"), Text("\""), 1, std::nullopt, true)
                        : pattern;
    if (expression_)
        expression_->Put("Pattern", Wide(compiled));

    subject_ = Wide(subject);

    if (expression_) {
        const std::array<RegexValue, 1> args{subject_};
        matches_ = AsObject(expression_->Call("Execute", args));
    }
    return matches_ != nullptr;
}

Text RegexObject::GetPattern() const {
    if (!expression_)
        return Text();
    return ToText(expression_->Get("Pattern"));
}

std::optional<Text> RegexObject::TryReplaceMatches(const Text& replacement) const {
    if (!expression_)
        return std::nullopt;
    const std::array<RegexValue, 2> args{subject_, Wide(replacement)};
    std::optional<RegexValue> result = expression_->Call("Replace", args);
    if (!result)
        return std::nullopt;
    return ToText(result);
}

Text RegexObject::ReplaceMatches(const Text& replacement) const {
    return TryReplaceMatches(replacement).value_or(Text());
}

int32_t RegexObject::MatchCount() const {
    return matches_ ? ToInt(matches_->Get("Count")) : 0;
}

RegexRef RegexObject::MatchAt(int32_t n) const {
    return ItemOf(matches_, n - 1);
}

// The byte length, in the subject's code-page-936 form, of the wide
// characters before the match.
int32_t RegexObject::ByteOffsetOf(const RegexRef& match) const {
    const int32_t first = ToInt(match->Get("FirstIndex"));
    const std::u16string* subject = std::get_if<std::u16string>(&subject_);
    if (!subject || first < 0)
        return -1;
    size_t units = std::min(static_cast<size_t>(first), subject->size());
    return static_cast<int32_t>(
        Utf16ToCp936(std::u16string_view(*subject).substr(0, units)).size());
}

Text RegexObject::MatchText(int32_t n, int32_t* position) const {
    RegexRef match = MatchAt(n);
    if (!match) {
        if (position)
            *position = -1;
        return Text();
    }
    if (position)
        *position = ByteOffsetOf(match);
    return ToText(match->Get("Value"));
}

Text RegexObject::SubMatchText(int32_t n, int32_t k, int32_t* position) const {
    RegexRef match = MatchAt(n);
    RegexRef subMatches = match ? AsObject(match->Get("SubMatches")) : nullptr;
    if (!subMatches) {
        if (position)
            *position = -1;
        return Text();
    }
    const std::array<RegexValue, 1> args{static_cast<double>(k - 1)};
    std::optional<RegexValue> item = subMatches->Get("Item", args);
    if (position)
        *position = item ? ByteOffsetOf(match) : -1;
    return ToText(item);
}

int32_t RegexObject::SubMatchCount() const {
    RegexRef first = MatchAt(1);
    RegexRef subMatches = first ? AsObject(first->Get("SubMatches")) : nullptr;
    int32_t count = subMatches ? ToInt(subMatches->Get("Count")) : 0;
    return count;
}

}  // namespace tavimo
