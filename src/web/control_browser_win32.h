// The Browser seam over the hosted web browser control.
#pragma once

#include <windows.h>

#include <exdisp.h>

#include "web/web_search.h"
#include "win32/com_ptr_win32.h"

namespace tavimo::win32 {

// Refusals (no earlier or later page) are ignored, as are failed loads: the
// control shows those itself.
class ControlBrowser : public Browser {
  public:
    explicit ControlBrowser(ComPtr<IWebBrowser2> control) : control_(std::move(control)) {}

    void Navigate(const Text& address) override;
    void GoBack() override { control_->GoBack(); }
    void GoForward() override { control_->GoForward(); }
    void Refresh() override { control_->Refresh(); }

  private:
    ComPtr<IWebBrowser2> control_;
};

// Silent (no dialog boxes of its own) and not offline.
void ApplyCreationSettings(IWebBrowser2& control);

// Text zoom 2 of 0..4, without asking; it needs a loaded document.
void ApplyTextZoom(IWebBrowser2& control);

}  // namespace tavimo::win32
