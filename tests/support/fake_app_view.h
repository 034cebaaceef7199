// The main window's view as plain values (FakeView), over a ReferenceBox that
// models the box in memory (RecordingBox): box characters (a two-byte
// character, a line break, or a byte), one format per character, the
// requested selection and the focus.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/app_view.h"
#include "app/reference_box.h"
#include "text/text.h"

namespace tavimo::testing {

class RecordingBox : public ReferenceBox {
  public:
    struct Unit {
        std::string bytes;  // "\r\n" for a line break
        CharFormat format;
    };

    Text GetText() override {
        std::string s;
        for (const Unit& u : units_)
            s += u.bytes;
        return Text(s);
    }
    void SetText(const Text& text) override {
        units_.clear();
        std::string_view v = text.view();
        for (size_t i = 0; i < v.size();) {
            unsigned char c = static_cast<unsigned char>(v[i]);
            size_t n = 1;
            std::string bytes;
            if (c == '\r' || c == '\n') {
                n = (c == '\r' && i + 1 < v.size() && v[i + 1] == '\n') ? 2 : 1;
                bytes = "\r\n";
            } else {
                n = (c >= 0x80 && i + 1 < v.size()) ? 2 : 1;
                bytes = std::string(v.substr(i, n));
            }
            units_.push_back({bytes, defaultFormat});
            i += n;
        }
        Select();
        ++setTextCalls;
    }
    void SetSelectionStart(int32_t n) override {
        start_ = std::max(n, 0);
        Select();
    }
    void SetSelectionLength(int32_t n) override {
        length_ = std::max(n, -1);
        Select();
    }
    void ApplyFormatToSelection(const CharFormat& f) override {
        for (int32_t i = selBegin; i < selEnd; ++i)
            units_[static_cast<size_t>(i)].format = f;
        ++formatCalls;
    }
    void Focus() override { focused = true; }
    void PasteFromClipboard() override { ++pastes; }
    void BeginBulkUpdate() override { ++bulkDepth; }
    void EndBulkUpdate() override { --bulkDepth; }

    int32_t Size() const { return static_cast<int32_t>(units_.size()); }
    const std::vector<Unit>& units() const { return units_; }

    // The colour runs: for each character its colour.
    std::vector<uint32_t> Colors() const {
        std::vector<uint32_t> out;
        for (const Unit& u : units_)
            out.push_back(u.format.Color);
        return out;
    }

    CharFormat defaultFormat;
    int32_t selBegin = 0, selEnd = 0;
    bool focused = false;
    int pastes = 0, formatCalls = 0, setTextCalls = 0, bulkDepth = 0;

  private:
    void Select() {
        const int32_t size = Size();
        if (length_ == -1) {
            selBegin = 0;
            selEnd = size;
            return;
        }
        selBegin = std::min(start_, size);
        selEnd = std::min<int64_t>(int64_t{start_} + length_, size);
    }

    std::vector<Unit> units_;
    int32_t start_ = 0, length_ = 0;
};

class FakeView : public AppView {
  public:
    Text Term() override { return term; }
    void SetTerm(const Text& t) override { term = t; }
    void SetStatus(const Text& c) override { status = c; }
    int32_t CurrentTab() override { return tab; }
    void SetCurrentTab(int32_t t) override { tab = std::clamp(t, 0, 4); }
    ReferenceBox& Box() override { return box; }
    bool RaiseOnHoverChecked() override { return raiseOnHover; }
    bool CaptureChecked() override { return capture; }
    bool LocalSearchSelected() override { return localSearch; }
    bool WebSearchSelected() override { return webSearch; }

    RecordingBox box;
    Text term, status;
    int32_t tab = 0;
    bool raiseOnHover = true, capture = true, localSearch = true, webSearch = false;
};

}  // namespace tavimo::testing
