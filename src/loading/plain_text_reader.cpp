#include "loading/plain_text_reader.h"

#include <string>

#include "text/codepage.h"

namespace tavimo::loading {

namespace {

std::u16string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto a = static_cast<unsigned char>(bytes[i]);
        auto b = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    return out;
}

// Lone LF and lone CR both become CR LF, so the box counts every break once.
std::string NormalizeBreaks(std::string_view cp936) {
    std::string out;
    out.reserve(cp936.size() + cp936.size() / 16);
    for (size_t i = 0; i < cp936.size(); ++i) {
        char c = cp936[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < cp936.size() && cp936[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else if (c == '\0') {
            continue;  // a Text would end there and lose the rest
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t n;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (s.size() - i <= n)
            return false;
        for (size_t k = 1; k <= n; ++k) {
            auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (n == 3 && (cp < 0x10000 || cp > 0x10FFFF))) {
            return false;
        }
        i += n + 1;
    }
    return true;
}

Text DecodePlainText(std::string_view bytes) {
    std::string cp936;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        cp936 = Utf16ToCp936(Utf8ToUtf16(bytes.substr(3)));
    } else if (bytes.starts_with("\xFF\xFE")) {
        cp936 = Utf16ToCp936(FromUtf16(bytes.substr(2), false));
    } else if (bytes.starts_with("\xFE\xFF")) {
        cp936 = Utf16ToCp936(FromUtf16(bytes.substr(2), true));
    } else if (IsValidUtf8(bytes)) {
        // Pure ASCII reads the same either way; real GBK text with its lead
        // bytes is almost never well-formed UTF-8.
        cp936 = Utf16ToCp936(Utf8ToUtf16(bytes));
    } else {
        cp936 = std::string(bytes);
    }
    return Text(NormalizeBreaks(cp936));
}

}  // namespace tavimo::loading
