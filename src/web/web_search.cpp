#include "web/web_search.h"

#include <string>

#include "text/codepage.h"

namespace tavimo {

namespace {

constexpr int32_t kWebSearchTab = 2;

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

Text EncodeQueryValue(const Text& term) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string utf8 = Utf16ToUtf8(Cp936ToUtf16(term.view()));
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return Text(out);
}

Text SearchAddress(const Text& term) {
    return Concat(SearchPagePrefix, EncodeQueryValue(term));
}

void ShowWebSearch(AppView& view, Browser& browser) {
    if (view.CurrentTab() != kWebSearchTab)
        return;
    const Text term = view.Term();
    browser.Navigate(SearchAddress(term));
}

}  // namespace tavimo
