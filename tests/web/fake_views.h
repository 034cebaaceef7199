// Fakes for the web tab's tests: a search view and a browser that records.
#pragma once

#include <string>
#include <vector>

#include "app/app_view.h"
#include "web/web_search.h"

namespace tavimo::testing {

class NullBox : public ReferenceBox {
  public:
    Text GetText() override { return {}; }
    void SetText(const Text&) override {}
    void SetSelectionStart(int32_t) override {}
    void SetSelectionLength(int32_t) override {}
    void ApplyFormatToSelection(const CharFormat&) override {}
    void Focus() override {}
    void PasteFromClipboard() override {}
};

class FakeView : public AppView {
  public:
    Text term;
    int32_t tab = 0;
    Text status;

    Text Term() override { return term; }
    void SetTerm(const Text& t) override { term = t; }
    void SetStatus(const Text& caption) override { status = caption; }
    int32_t CurrentTab() override { return tab; }
    void SetCurrentTab(int32_t t) override { tab = t; }
    ReferenceBox& Box() override { return box_; }
    bool RaiseOnHoverChecked() override { return true; }
    bool CaptureChecked() override { return true; }
    bool LocalSearchSelected() override { return true; }
    bool WebSearchSelected() override { return false; }

  private:
    NullBox box_;
};

// Records every call as one line: "Navigate <address>", "GoBack", ...
class RecordingBrowser : public Browser {
  public:
    std::vector<std::string> calls;

    void Navigate(const Text& address) override { calls.push_back("Navigate " + address.bytes()); }
    void GoBack() override { calls.push_back("GoBack"); }
    void GoForward() override { calls.push_back("GoForward"); }
    void Refresh() override { calls.push_back("Refresh"); }
};

}  // namespace tavimo::testing
