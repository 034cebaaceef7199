#include "text/text.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace tavimo {

namespace {

unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

bool EqualAt(std::string_view hay, size_t at, std::string_view needle, bool ignoreCase) {
    if (!ignoreCase)
        return hay.compare(at, needle.size(), needle) == 0;
    for (size_t k = 0; k < needle.size(); ++k) {
        if (Fold(static_cast<unsigned char>(hay[at + k])) !=
            Fold(static_cast<unsigned char>(needle[k])))
            return false;
    }
    return true;
}

size_t StartOffset(std::optional<int32_t> start) {
    if (!start)
        return 0;
    int64_t s = int64_t{*start} - 1;
    return s < 0 ? 0 : static_cast<size_t>(s);
}

}  // namespace

Text::Text(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}

Text::Text(const char* zeroTerminated) {
    if (zeroTerminated)
        bytes_.assign(zeroTerminated);
}

std::ostream& operator<<(std::ostream& os, const Text& text) {
    return os << '\'' << text.bytes() << '\'';
}

int32_t Length(const Text& text) {
    return static_cast<int32_t>(text.bytes().size());
}

Text Left(const Text& text, int32_t count) {
    if (count <= 0)
        return Text();
    return Text(text.view().substr(0, static_cast<size_t>(count)));
}

Text Right(const Text& text, int32_t count) {
    if (count <= 0)
        return Text();
    std::string_view v = text.view();
    size_t n = std::min(v.size(), static_cast<size_t>(count));
    return Text(v.substr(v.size() - n));
}

Text Mid(const Text& text, int32_t start, int32_t count) {
    if (start < 1 || start > Length(text) || count <= 0)
        return Text();
    return Text(text.view().substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

int32_t CharCode(const Text& text, int32_t position) {
    if (position < 1 || position > Length(text))
        return 0;
    return static_cast<signed char>(text.bytes()[static_cast<size_t>(position - 1)]);
}

int32_t Find(const Text& text, const Text& needle, std::optional<int32_t> start,
             int32_t ignoreCase) {
    std::string_view hay = text.view();
    std::string_view pin = needle.view();
    size_t s = StartOffset(start);
    if (s >= hay.size())
        return -1;
    if (pin.empty())
        return 1;
    const bool fold = ignoreCase == 1;
    const unsigned char first = static_cast<unsigned char>(pin[0]);
    // A byte that can only be the needle's first byte when equal: skip ahead
    // with memchr, then walk characters up to the hit so alignment is kept.
    const bool scanFirst =
        !fold || !((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z'));
    size_t i = s;
    while (i + pin.size() <= hay.size()) {
        if (scanFirst) {
            const void* hit = std::memchr(hay.data() + i, first, hay.size() - i);
            if (!hit)
                return -1;
            size_t at = static_cast<size_t>(static_cast<const char*>(hit) - hay.data());
            // Step character by character to the candidate, or past it when it
            // is the trail byte of a two-byte character.
            while (i < at)
                i += CharWidthAt(hay, i);
            if (i != at)
                continue;
            if (i + pin.size() > hay.size())
                return -1;
        }
        if (EqualAt(hay, i, pin, fold))
            return static_cast<int32_t>(i + 1);
        i += CharWidthAt(hay, i);
    }
    return -1;
}

TextList Split(const Text& text, std::optional<Text> separator, std::optional<int32_t> limit) {
    TextList out;
    const Text sep = separator ? *separator : Text(",");
    int64_t remaining = limit ? std::max<int32_t>(*limit, 0) : -1;
    if (text.empty() || remaining == 0)
        return out;
    std::string_view v = text.view();
    if (sep.empty()) {
        out.Append(text);
        return out;
    }
    std::string_view sv = sep.view();
    size_t pieceStart = 0;
    size_t cursor = 0;
    while (v.size() - cursor >= sv.size()) {
        if (v.compare(cursor, sv.size(), sv) == 0) {
            out.Append(Text(v.substr(pieceStart, cursor - pieceStart)));
            cursor += sv.size();
            pieceStart = cursor;
            if (remaining > 0 && --remaining == 0)
                return out;
        } else {
            cursor += CharWidthAt(v, cursor);
            if (cursor > v.size())
                cursor = v.size();
        }
    }
    if (pieceStart < v.size())
        out.Append(Text(v.substr(pieceStart)));
    return out;
}

Text ReplaceAll(const Text& text, const Text& what, const Text& replacement,
                std::optional<int32_t> start, std::optional<int32_t> number, bool caseSensitive) {
    std::string_view v = text.view();
    std::string_view w = what.view();
    size_t s = StartOffset(start);
    if (v.empty() || w.empty() || s >= v.size() || (number && *number == 0))
        return text;
    int64_t remaining = number ? *number : -1;
    std::string out(v.substr(0, s));
    size_t i = s;
    while (remaining != 0 && v.size() - i >= w.size()) {
        if (EqualAt(v, i, w, !caseSensitive)) {
            out.append(replacement.view());
            i += w.size();
            if (remaining > 0)
                --remaining;
        } else {
            size_t step = std::min(CharWidthAt(v, i), v.size() - i);
            out.append(v.substr(i, step));
            i += step;
        }
    }
    out.append(v.substr(i));
    return Text(out);
}

Text ToText(int32_t value) {
    return Text(std::to_string(value));
}

int32_t Compare(const Text& a, const Text& b) {
    // std::string compares through char_traits<char>, which orders as unsigned char.
    int c = a.bytes().compare(b.bytes());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Text ConcatViews(std::initializer_list<std::string_view> parts) {
    size_t total = 0;
    for (auto p : parts)
        total += p.size();
    std::string out;
    out.reserve(total);
    for (auto p : parts)
        out.append(p);
    return Text(out);
}

}  // namespace tavimo
