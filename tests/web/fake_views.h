// The web tab's tests use the shared FakeView, and a browser that records.
#pragma once

#include <string>
#include <vector>

#include "support/fake_app_view.h"
#include "web/web_search.h"

namespace tavimo::testing {

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
