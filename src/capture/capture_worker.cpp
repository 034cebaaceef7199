#include "capture/capture_worker.h"

namespace tavimo::capture {

CaptureState& TheCaptureState() {
    static CaptureState state;
    return state;
}

bool StartCapture(CaptureState& state, const std::function<bool()>& startThread) {
    if (!state.TryBegin())
        return false;
    if (!startThread()) {
        state.End();
        return false;
    }
    return true;
}

namespace {

bool WaitForModifierRelease(const CaptureSeams& s) {
    for (int32_t waited = 0; s.modifiers.ModifiersHeld(); waited += kModifierPollMs) {
        if (waited >= kModifierWaitMs)
            return false;
        s.sleep(kModifierPollMs);
    }
    return true;
}

// The search steps in their fixed order; false as soon as one is refused.
bool RunUiSteps(const CaptureSeams& s, const Text& term) {
    CaptureUi& ui = s.ui;
    return ui.WriteTerm(term) == StepResult::Ran && ui.SearchLocally() == StepResult::Ran &&
           ui.ShowWebTab() == StepResult::Ran && ui.SearchWeb() == StepResult::Ran;
}

class PendingRestore {
  public:
    explicit PendingRestore(CaptureState& state) : state_(state) { state_.SetRestorePending(true); }
    PendingRestore(const PendingRestore&) = delete;
    PendingRestore& operator=(const PendingRestore&) = delete;
    ~PendingRestore() { Clear(); }
    void Clear() { state_.SetRestorePending(false); }

  private:
    CaptureState& state_;
};

}  // namespace

CaptureOutcome RunCapture(const CaptureSeams& s) {
    s.sleep(kSettleMs);
    // Keys are pressed only once the user's clipboard can be put back whole.
    std::optional<uint32_t> before = s.clipboard.Save();
    if (!before)
        return CaptureOutcome::SaveFailed;
    if (!WaitForModifierRelease(s))
        return CaptureOutcome::ModifiersHeld;
    if (s.foreground.ForegroundIsTerminal())
        return CaptureOutcome::TerminalForeground;

    // Pending before the stop check, so a closing window either sees the
    // restore coming or stops this run before it presses anything.
    PendingRestore pending(s.state);
    if (s.state.StopRequested())
        return CaptureOutcome::Stopped;
    s.keys.PressCtrlC();
    s.sleep(kSettleMs);

    if (s.clipboard.SequenceNumber() == *before)
        return CaptureOutcome::NothingCopied;
    Text term = s.clipboard.ReadText();
    if (Compare(term, Text()) == 0) {
        s.clipboard.Restore();
        return CaptureOutcome::NoText;
    }
    bool ran = !s.state.StopRequested() && RunUiSteps(s, term);
    s.clipboard.Restore();
    pending.Clear();
    if (!ran)
        return CaptureOutcome::UiBusy;
    s.ui.RaiseWindow();
    return CaptureOutcome::Searched;
}

}  // namespace tavimo::capture
