// Fakes of the views and seams the loading handlers work through.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/app_view.h"
#include "loading/document_drop.h"
#include "web/web_search.h"

namespace tavimo::loading::testing {

// A box that keeps its text and records every call, in one log shared with
// the shell so the order across both shows.
class FakeBox : public ReferenceBox {
  public:
    explicit FakeBox(std::vector<std::string>& log) : log_(log) {}
    Text GetText() override { return text; }
    void SetText(const Text& t) override {
        text = t;
        log_.push_back("SetText:" + t.bytes());
    }
    void SetSelectionStart(int32_t n) override {
        start = n;
        log_.push_back("Start:" + std::to_string(n));
    }
    void SetSelectionLength(int32_t n) override {
        length = n;
        log_.push_back("Length:" + std::to_string(n));
    }
    void ApplyFormatToSelection(const CharFormat& f) override {
        applied.push_back(f);
        log_.push_back("Apply");
    }
    void Focus() override { log_.push_back("Focus"); }
    void PasteFromClipboard() override {
        log_.push_back("Paste");
        text = pasteGives;
    }

    Text text;
    Text pasteGives;
    int32_t start = 0, length = 0;
    std::vector<CharFormat> applied;

  private:
    std::vector<std::string>& log_;
};

class FakeView : public AppView {
  public:
    explicit FakeView(std::vector<std::string>& log) : box(log), log_(log) {}
    Text Term() override { return term; }
    void SetTerm(const Text& t) override { term = t; }
    void SetStatus(const Text& c) override {
        status = c;
        log_.push_back("Status");
    }
    int32_t CurrentTab() override { return tab; }
    void SetCurrentTab(int32_t t) override {
        tab = t;
        log_.push_back("Tab:" + std::to_string(t));
    }
    ReferenceBox& Box() override { return box; }
    bool RaiseOnHoverChecked() override { return true; }
    bool CaptureChecked() override { return true; }
    bool LocalSearchSelected() override { return true; }
    bool WebSearchSelected() override { return false; }

    FakeBox box;
    Text term, status;
    int32_t tab = 0;

  private:
    std::vector<std::string>& log_;
};

class FakeBrowser : public Browser {
  public:
    void Navigate(const Text& a) override { navigated.push_back(a); }
    void GoBack() override {}
    void GoForward() override {}
    void Refresh() override {}
    std::vector<Text> navigated;
};

class CountingRestore : public SavedClipboard {
  public:
    explicit CountingRestore(std::vector<std::string>& log) : log_(log) {}
    bool Restore() override {
        log_.push_back("Restore");
        return true;
    }
    uint32_t Sequence() const override { return 1; }

  private:
    std::vector<std::string>& log_;
};

class FakeShell : public LoadingShell {
  public:
    explicit FakeShell(std::vector<std::string>& log) : log_(log) {}
    void PaintBox() override { log_.push_back("Paint"); }
    LoadResult LoadDocument(const DocumentPath& path) override {
        log_.push_back("Load:" + path.text.bytes());
        loadedWide.push_back(path.wide);
        LoadResult r;
        r.kind = kind;
        r.text = text;
        if (kind == LoadResult::Kind::PasteFallback) {
            r.restoreAfterPaste = std::make_unique<CountingRestore>(log_);
        }
        return r;
    }
    void SetPasteTimer(int32_t ms) override {
        period = ms;
        log_.push_back("Timer:" + std::to_string(ms));
    }

    LoadResult::Kind kind = LoadResult::Kind::Loaded;
    Text text;
    int32_t period = 0;
    std::vector<std::u16string> loadedWide;

  private:
    std::vector<std::string>& log_;
};

}  // namespace tavimo::loading::testing
