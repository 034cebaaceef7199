// The user-interface side of a capture's steps, over the main window's view.
// Runs on the user-interface thread; each step is refused as busy while
// another job runs or once the window is closing.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "app/app_view.h"
#include "capture/capture_worker.h"

namespace tavimo::capture {

struct CaptureUiActions {
    // The local search as the 搜索 button starts it, busy flag included: it
    // runs after this step has let go of the flag.
    std::function<void(AppView&)> runLocalSearch;
    std::function<void(AppView&)> showWebSearch;
    std::function<void()> bringWindowToFront;
};

class CaptureUiSteps : public CaptureUi {
  public:
    CaptureUiSteps(AppView& view, CaptureUiActions actions, std::atomic<int32_t>& captureArmed,
                   CaptureState& state);

    StepResult WriteTerm(const Text& term) override;
    StepResult SearchLocally() override;
    StepResult ShowWebTab() override;
    StepResult SearchWeb() override;
    StepResult RaiseWindow() override;

  private:
    AppView& view_;
    CaptureUiActions actions_;
    std::atomic<int32_t>& captureArmed_;
    CaptureState& state_;
};

}  // namespace tavimo::capture
