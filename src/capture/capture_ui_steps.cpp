#include "capture/capture_ui_steps.h"

#include <utility>

#include "app/job_guard.h"

namespace tavimo::capture {

CaptureUiSteps::CaptureUiSteps(AppView& view, CaptureUiActions actions,
                               std::atomic<int32_t>& captureArmed, CaptureState& state)
    : view_(view), actions_(std::move(actions)), captureArmed_(captureArmed), state_(state) {}

StepResult CaptureUiSteps::WriteTerm(const Text& term) {
    if (state_.StopRequested())
        return StepResult::Busy;
    JobGuard guard;
    if (!guard.acquired())
        return StepResult::Busy;
    view_.SetTerm(term);
    return StepResult::Ran;
}

StepResult CaptureUiSteps::SearchLocally() {
    if (state_.StopRequested())
        return StepResult::Busy;
    {
        JobGuard guard;
        if (!guard.acquired())
            return StepResult::Busy;
        if (!view_.LocalSearchSelected())
            return StepResult::Ran;
        view_.SetCurrentTab(1);
    }
    // Nothing ran in between: the search takes the flag the step just released.
    if (actions_.runLocalSearch)
        actions_.runLocalSearch(view_);
    return StepResult::Ran;
}

StepResult CaptureUiSteps::ShowWebTab() {
    if (state_.StopRequested())
        return StepResult::Busy;
    JobGuard guard;
    if (!guard.acquired())
        return StepResult::Busy;
    if (view_.WebSearchSelected())
        view_.SetCurrentTab(2);
    return StepResult::Ran;
}

StepResult CaptureUiSteps::SearchWeb() {
    if (state_.StopRequested())
        return StepResult::Busy;
    JobGuard guard;
    if (!guard.acquired())
        return StepResult::Busy;
    if (actions_.showWebSearch)
        actions_.showWebSearch(view_);
    return StepResult::Ran;
}

StepResult CaptureUiSteps::RaiseWindow() {
    if (state_.StopRequested())
        return StepResult::Busy;
    JobGuard guard;
    if (!guard.acquired())
        return StepResult::Busy;
    if (view_.RaiseOnHoverChecked() && captureArmed_.load() == 1 && actions_.bringWindowToFront) {
        actions_.bringWindowToFront();
    }
    return StepResult::Ran;
}

}  // namespace tavimo::capture
