#include "loading/docx_reader.h"

#include <cstdint>
#include <vector>

#include "loading/zip_reader.h"
#include "text/codepage.h"

namespace tavimo::loading {

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Character data with its entity and character references decoded; an
// unknown reference stays as it stands.
void AppendDecoded(std::string& out, std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        size_t semi = s[i] == '&' ? s.find(';', i) : std::string_view::npos;
        if (semi == std::string_view::npos || semi - i > 12) {
            out += s[i++];
            continue;
        }
        std::string_view ref = s.substr(i + 1, semi - i - 1);
        if (ref == "lt") {
            out += '<';
        } else if (ref == "gt") {
            out += '>';
        } else if (ref == "amp") {
            out += '&';
        } else if (ref == "quot") {
            out += '"';
        } else if (ref == "apos") {
            out += '\'';
        } else if (ref.size() > 1 && ref[0] == '#') {
            bool hex = ref[1] == 'x' || ref[1] == 'X';
            std::string_view digits = ref.substr(hex ? 2 : 1);
            uint32_t cp = 0;
            bool ok = !digits.empty();
            for (char d : digits) {
                uint32_t v;
                if (d >= '0' && d <= '9') {
                    v = static_cast<uint32_t>(d - '0');
                } else if (hex && d >= 'a' && d <= 'f') {
                    v = static_cast<uint32_t>(d - 'a' + 10);
                } else if (hex && d >= 'A' && d <= 'F') {
                    v = static_cast<uint32_t>(d - 'A' + 10);
                } else {
                    ok = false;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + v;
                if (cp > 0x10FFFF)
                    ok = false;
            }
            if (!ok) {
                out += s[i++];
                continue;
            }
            AppendUtf8(out, cp);
        } else {
            out += s[i++];
            continue;
        }
        i = semi + 1;
    }
}

// Walks the tags of the main part and keeps the text of the runs.
class TextCollector {
  public:
    void Tag(std::string_view name, bool closing, bool empty) {
        if (name == "mc:Fallback") {
            // Text boxes come twice: once as drawing, once as fallback markup.
            if (!empty)
                skipDepth_ += closing ? -1 : 1;
            return;
        }
        if (skipDepth_ > 0)
            return;
        if (name == "w:t") {
            inText_ = !closing && !empty;
        } else if (name == "w:p") {
            if (!closing)
                Break();
            if (closing || empty)
                pendingBreak_ = true;
        } else if (name == "w:r") {
            inRun_ = !closing && !empty;
        } else if (name == "w:tab" && !closing && inRun_) {
            Write("\t");  // outside a run it is a tab stop, not a character
        } else if ((name == "w:br" || name == "w:cr") && !closing && inRun_) {
            Write("\r\n");
        } else if (name == "w:tr") {
            if (!closing) {
                Break();
                cells_.push_back(0);
            } else {
                if (!cells_.empty())
                    cells_.pop_back();
                pendingBreak_ = true;
            }
        } else if (name == "w:tc") {
            if (!closing) {
                Break();
                if (!cells_.empty() && cells_.back()++ > 0)
                    out_ += '\t';
            } else {
                pendingBreak_ = false;  // the cell's last paragraph ends with the cell
            }
        }
    }
    void Characters(std::string_view s) {
        if (inText_ && skipDepth_ == 0) {
            Break();
            AppendDecoded(out_, s);
        }
    }
    std::string Take() { return std::move(out_); }

  private:
    void Write(std::string_view s) {
        Break();
        out_ += s;
    }
    void Break() {
        if (pendingBreak_)
            out_ += "\r\n";
        pendingBreak_ = false;
    }

    std::string out_;
    std::vector<int> cells_;
    int skipDepth_ = 0;
    bool inText_ = false;
    bool inRun_ = false;
    bool pendingBreak_ = false;
};

// The value of name="..." (or '...') in one tag's text; empty when absent.
std::string_view AttributeValue(std::string_view tag, std::string_view name) {
    for (size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
        size_t eq = at + name.size();
        bool wholeName = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' ||
                                    tag[at - 1] == '\r' || tag[at - 1] == '\n');
        if (!wholeName || eq + 1 >= tag.size() || tag[eq] != '=')
            continue;
        char quote = tag[eq + 1];
        if (quote != '"' && quote != '\'')
            continue;
        size_t end = tag.find(quote, eq + 2);
        if (end == std::string_view::npos)
            return {};
        return tag.substr(eq + 2, end - eq - 2);
    }
    return {};
}

// The main part the package's relationships name; the usual name otherwise.
std::string MainPartName(std::string_view archive) {
    constexpr std::string_view kOfficeDocument = "/officeDocument";
    if (auto rels = ReadZipMember(archive, "_rels/.rels", 1u << 20)) {
        std::string_view xml(*rels);
        for (size_t lt = xml.find("<Relationship "); lt != std::string_view::npos;
             lt = xml.find("<Relationship ", lt + 1)) {
            size_t gt = xml.find('>', lt);
            if (gt == std::string_view::npos)
                break;
            std::string_view tag = xml.substr(lt, gt - lt);
            if (!AttributeValue(tag, "Type").ends_with(kOfficeDocument))
                continue;
            std::string_view target = AttributeValue(tag, "Target");
            while (target.starts_with('/'))
                target.remove_prefix(1);
            if (!target.empty())
                return std::string(target);
        }
    }
    return "word/document.xml";
}

}  // namespace

std::string DocumentXmlText(std::string_view xml) {
    TextCollector collector;
    size_t i = 0;
    while (i < xml.size()) {
        size_t lt = xml.find('<', i);
        if (lt == std::string_view::npos)
            lt = xml.size();
        if (lt > i)
            collector.Characters(xml.substr(i, lt - i));
        if (lt == xml.size())
            break;
        if (xml.substr(lt, 9) == "<![CDATA[") {
            size_t close = xml.find("]]>", lt);
            if (close == std::string_view::npos)
                break;
            i = close + 3;
            continue;
        }
        if (xml.substr(lt, 4) == "<!--") {
            size_t close = xml.find("-->", lt);
            if (close == std::string_view::npos)
                break;
            i = close + 3;
            continue;
        }
        // Attribute values may hold '>' only when quoted.
        size_t gt = lt + 1;
        char quote = 0;
        while (gt < xml.size() && (quote || xml[gt] != '>')) {
            if (quote && xml[gt] == quote) {
                quote = 0;
            } else if (!quote && (xml[gt] == '"' || xml[gt] == '\'')) {
                quote = xml[gt];
            }
            ++gt;
        }
        if (gt >= xml.size())
            break;
        std::string_view tag = xml.substr(lt + 1, gt - lt - 1);
        i = gt + 1;
        if (tag.empty() || tag[0] == '?' || tag[0] == '!')
            continue;
        bool closing = tag[0] == '/';
        bool empty = tag.back() == '/';
        if (closing)
            tag.remove_prefix(1);
        size_t nameEnd = tag.find_first_of(" \t\r\n/");
        collector.Tag(tag.substr(0, nameEnd), closing, empty);
    }
    return collector.Take();
}

std::optional<Text> ReadDocx(std::string_view archive, size_t capBytes) {
    auto xml = ReadZipMember(archive, MainPartName(archive), capBytes);
    if (!xml)
        return std::nullopt;
    return Text(Utf16ToCp936(Utf8ToUtf16(DocumentXmlText(*xml))));
}

}  // namespace tavimo::loading
