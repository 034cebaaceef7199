// The program's own rich-edit reference box behind the loading handlers'
// views, in a test window of the loading tests.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>

#include "app/app_view.h"
#include "app/rich_edit_box_win32.h"
#include "support/pump_win32.h"
#include "win32/codepage_win32.h"

namespace tavimo::loading::testing {

// Passes everything to the real box and counts the pastes.
class PasteCountingBox : public ReferenceBox {
  public:
    explicit PasteCountingBox(std::unique_ptr<win32::RichEditBox> box) : box_(std::move(box)) {}
    HWND hwnd() const { return box_->hwnd(); }

    Text GetText() override { return box_->GetText(); }
    void SetText(const Text& text) override { box_->SetText(text); }
    void SetSelectionStart(int32_t n) override { box_->SetSelectionStart(n); }
    void SetSelectionLength(int32_t n) override { box_->SetSelectionLength(n); }
    void ApplyFormatToSelection(const CharFormat& f) override { box_->ApplyFormatToSelection(f); }
    void Focus() override { box_->Focus(); }
    void PasteFromClipboard() override {
        ++pastes;
        box_->PasteFromClipboard();
    }

    int pastes = 0;

  private:
    std::unique_ptr<win32::RichEditBox> box_;
};

class TestView : public AppView {
  public:
    explicit TestView(std::unique_ptr<win32::RichEditBox> richEdit) : box(std::move(richEdit)) {}
    Text Term() override { return {}; }
    void SetTerm(const Text&) override {}
    void SetStatus(const Text& c) override { status = c; }
    int32_t CurrentTab() override { return tab; }
    void SetCurrentTab(int32_t t) override { tab = t; }
    ReferenceBox& Box() override { return box; }
    bool RaiseOnHoverChecked() override { return true; }
    bool CaptureChecked() override { return true; }
    bool LocalSearchSelected() override { return true; }
    bool WebSearchSelected() override { return false; }

    PasteCountingBox box;
    Text status;
    int32_t tab = 0;
};

// Generous: it returns as soon as the condition holds, and a loaded machine is slow.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 10000) {
    return tavimo::testing::PumpUntil(done, std::chrono::milliseconds(ms));
}

}  // namespace tavimo::loading::testing
