// The main window's view as plain values, over the in-memory reference box.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/app_view.h"
#include "app/reference_box.h"
#include "support/fake_reference_box.h"
#include "text/text.h"

namespace tavimo::testing {

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

    FakeReferenceBox box;
    Text term, status;
    int32_t tab = 0;
    bool raiseOnHover = true, capture = true, localSearch = true, webSearch = false;
};

}  // namespace tavimo::testing
