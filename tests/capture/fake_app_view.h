// The main window's view as plain values, for the capture's tests.
#pragma once

#include "app/app_view.h"

namespace tavimo::capture {

struct NullBox : ReferenceBox {
    Text GetText() override { return {}; }
    void SetText(const Text&) override {}
    void SetSelectionStart(int32_t) override {}
    void SetSelectionLength(int32_t) override {}
    void ApplyFormatToSelection(const CharFormat&) override {}
    void Focus() override {}
    void PasteFromClipboard() override {}
};

struct FakeView : AppView {
    Text term;
    Text status;
    int32_t tab = 0;
    bool raiseChecked = true, captureChecked = true, local = true, web = false;
    NullBox box;
    Text Term() override { return term; }
    void SetTerm(const Text& t) override { term = t; }
    void SetStatus(const Text& s) override { status = s; }
    int32_t CurrentTab() override { return tab; }
    void SetCurrentTab(int32_t t) override { tab = t < 0 ? 0 : t > 4 ? 4 : t; }
    ReferenceBox& Box() override { return box; }
    bool RaiseOnHoverChecked() override { return raiseChecked; }
    bool CaptureChecked() override { return captureChecked; }
    bool LocalSearchSelected() override { return local; }
    bool WebSearchSelected() override { return web; }
};

}  // namespace tavimo::capture
