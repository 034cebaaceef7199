// A reference box in memory that behaves like the rich-edit control: box
// positions (a two-byte character is one, a line break is one), the requested
// start and length rules, formats per character. The contract suite runs
// against it and against the real control, so the two cannot drift apart.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/reference_box.h"
#include "text/codepage.h"
#include "text/text.h"

namespace tavimo {

class FakeReferenceBox : public ReferenceBox {
  public:
    struct Char {
        std::string bytes;  // "\r\n" for a line break
        CharFormat format;
    };

    FakeReferenceBox() { typingFormat_ = DefaultFormat(); }

    static CharFormat DefaultFormat() {
        CharFormat f;
        f.FontName = FromUtf8("宋体");
        return f;
    }

    Text GetText() override {
        std::string out;
        for (const Char& c : chars_)
            out += c.bytes;
        return Text(out);
    }

    void SetText(const Text& text) override {
        chars_ = Parse(text, DefaultFormat());
        selStart_ = selEnd_ = 0;
        ++setTextCalls;
    }

    void SetSelectionStart(int32_t n) override {
        requestedStart_ = std::max(n, 0);
        Select();
    }

    void SetSelectionLength(int32_t n) override {
        requestedLength_ = std::max(n, -1);
        Select();
    }

    void ApplyFormatToSelection(const CharFormat& format) override {
        const CharFormat f = Normalized(format);
        if (selStart_ == selEnd_) {
            typingFormat_ = f;
            return;
        }
        for (int32_t i = selStart_; i < selEnd_; ++i)
            chars_[static_cast<size_t>(i)].format = f;
        ++formatCalls;
    }

    void Focus() override { focused = true; }

    // Pastes clipboardText, plain, over the selection.
    void PasteFromClipboard() override {
        std::vector<Char> pasted = Parse(clipboardText, typingFormat_);
        chars_.erase(chars_.begin() + selStart_, chars_.begin() + selEnd_);
        chars_.insert(chars_.begin() + selStart_, pasted.begin(), pasted.end());
        selStart_ = selEnd_ = selStart_ + static_cast<int32_t>(pasted.size());
    }

    void BeginBulkUpdate() override { ++bulkDepth; }
    void EndBulkUpdate() override {
        if (bulkDepth > 0 && --bulkDepth == 0)
            ++repaints;
    }

    // What tests look at.
    int32_t Length() const { return static_cast<int32_t>(chars_.size()); }
    std::pair<int32_t, int32_t> Selection() const { return {selStart_, selEnd_}; }
    CharFormat FormatAt(int32_t position) const {
        return chars_.at(static_cast<size_t>(position)).format;
    }
    const std::vector<Char>& chars() const { return chars_; }

    Text clipboardText;
    bool focused = false;
    int bulkDepth = 0;
    int repaints = 0;  // bulk updates that ended
    int setTextCalls = 0;
    int formatCalls = 0;

  private:
    static CharFormat Normalized(CharFormat f) {
        f.Effects &= 0x1F;
        if (f.Color != CharFormat::kAutomaticColor)
            f.Color &= 0x00FFFFFF;
        return f;
    }

    // CR LF, a lone CR and a lone LF are each one line break.
    static std::vector<Char> Parse(const Text& text, const CharFormat& format) {
        std::vector<Char> out;
        std::string_view b = text.view();
        for (size_t i = 0; i < b.size();) {
            if (b[i] == '\r' || b[i] == '\n') {
                const size_t n = (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ? 2 : 1;
                out.push_back({"\r\n", format});
                i += n;
                continue;
            }
            const size_t n = std::min(CharWidthAt(b, i), b.size() - i);
            out.push_back({std::string(b.substr(i, n)), format});
            i += n;
        }
        return out;
    }

    void Select() {
        const int32_t end = Length();
        if (requestedLength_ == -1) {
            selStart_ = 0;
            selEnd_ = end;
            return;
        }
        selStart_ = std::min(requestedStart_, end);
        selEnd_ = static_cast<int32_t>(
            std::min<int64_t>(static_cast<int64_t>(selStart_) + requestedLength_, end));
    }

    std::vector<Char> chars_;
    CharFormat typingFormat_;
    int32_t requestedStart_ = 0;
    int32_t requestedLength_ = 0;
    int32_t selStart_ = 0;
    int32_t selEnd_ = 0;
};

}  // namespace tavimo
