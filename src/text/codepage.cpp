#include "text/codepage.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tavimo {

namespace {

constexpr int kLeads = 0xFE - 0x81 + 1;
constexpr int kTrails = 190;  // 0x40..0xFE without 0x7F

const uint16_t kDouble[kLeads * kTrails] = {
#include "text/cp936_table.inc"
};

int TrailColumn(unsigned char t) {
    if (t < 0x40 || t > 0xFE || t == 0x7F)
        return -1;
    return t < 0x7F ? t - 0x40 : t - 0x41;
}

// Unicode unit -> double-byte code, sorted by unit; the first code wins for
// units that several sequences map to.
const std::vector<std::pair<uint16_t, uint16_t>>& Reverse() {
    static const std::vector<std::pair<uint16_t, uint16_t>> table = [] {
        std::vector<std::pair<uint16_t, uint16_t>> t;
        t.reserve(kLeads * kTrails);
        for (int l = 0; l < kLeads; ++l) {
            for (int c = 0; c < kTrails; ++c) {
                int trail = c < 0x3F ? c + 0x40 : c + 0x41;
                t.emplace_back(kDouble[l * kTrails + c],
                               static_cast<uint16_t>(((l + 0x81) << 8) | trail));
            }
        }
        std::stable_sort(t.begin(), t.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        return t;
    }();
    return table;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::u16string Cp936ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
        } else if (b == 0x80) {
            out += u'\u20AC';
        } else if (b <= 0xFE && i + 1 < bytes.size() &&
                   TrailColumn(static_cast<unsigned char>(bytes[i + 1])) >= 0) {
            out += static_cast<char16_t>(
                kDouble[(b - 0x81) * kTrails +
                        TrailColumn(static_cast<unsigned char>(bytes[i + 1]))]);
            ++i;
        } else {
            out += u'\uFFFD';
        }
    }
    return out;
}

std::string Utf16ToCp936(std::u16string_view units) {
    const auto& rev = Reverse();
    std::string out;
    out.reserve(units.size() * 2);
    for (size_t i = 0; i < units.size(); ++i) {
        char16_t u = units[i];
        if (u < 0x80) {
            out += static_cast<char>(u);
            continue;
        }
        if (u == u'\u20AC') {
            out += static_cast<char>(0x80);
            continue;
        }
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            ++i;  // a character outside the BMP has no code here
            out += '?';
            continue;
        }
        auto it = std::lower_bound(rev.begin(), rev.end(), u,
                                   [](const auto& e, char16_t v) { return e.first < v; });
        if (it != rev.end() && it->first == u) {
            out += static_cast<char>(it->second >> 8);
            out += static_cast<char>(it->second & 0xFF);
        } else {
            out += '?';
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        char32_t c;
        size_t n;
        if (b < 0x80) {
            c = b;
            n = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            n = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            n = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            n = 4;
        } else {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        bool ok = i + n <= s.size();
        for (size_t k = 1; ok && k < n; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) {
                ok = false;
            } else {
                c = (c << 6) | (t & 0x3F);
            }
        }
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!ok || c < kMin[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += n;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string out;
    out.reserve(units.size() * 3);
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

Text FromUtf8(std::string_view utf8) {
    return Text(Utf16ToCp936(Utf8ToUtf16(utf8)));
}

std::string ToUtf8(const Text& text) {
    return Utf16ToUtf8(Cp936ToUtf16(text.view()));
}

}  // namespace tavimo
