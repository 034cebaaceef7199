// One swipe capture: save the clipboard, press Ctrl+C for the program under
// the cursor, take the copied text as the term, hand the search steps to the
// user-interface thread and put the user's clipboard back. Everything it
// touches comes through the seams below, so the order can be tested.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "text/text.h"

namespace tavimo::capture {

enum class StepResult { Ran, Busy };

class CaptureClipboard {
  public:
    virtual ~CaptureClipboard() = default;
    // A complete copy of the clipboard; its sequence number when taken, or
    // nullopt when no complete copy could be made.
    virtual std::optional<uint32_t> Save() = 0;
    // Puts the copy back (retrying briefly while the clipboard is busy).
    virtual bool Restore() = 0;
    virtual Text ReadText() = 0;
    virtual uint32_t SequenceNumber() = 0;
};

class KeySender {
  public:
    virtual ~KeySender() = default;
    virtual void PressCtrlC() = 0;
};

class ForegroundProbe {
  public:
    virtual ~ForegroundProbe() = default;
    // The window that would receive the keys is a console or terminal, where
    // Ctrl+C interrupts the running program.
    virtual bool ForegroundIsTerminal() = 0;
};

class ModifierProbe {
  public:
    virtual ~ModifierProbe() = default;
    // Shift, Alt or a Windows key is down.
    virtual bool ModifiersHeld() = 0;
};

// The steps that run on the user-interface thread, each refused as busy
// while another job runs there.
class CaptureUi {
  public:
    virtual ~CaptureUi() = default;
    virtual StepResult WriteTerm(const Text& term) = 0;  // 编辑框1
    virtual StepResult SearchLocally() = 0;  // with 文本搜: tab 1 and the local search
    virtual StepResult ShowWebTab() = 0;     // with IE内核搜: tab 2
    virtual StepResult SearchWeb() = 0;      // the web search, which acts only on tab 2
    virtual StepResult RaiseWindow() = 0;    // with 自动置顶 and capture armed
};

// Shared by the hook, the workers and the close handler.
class CaptureState {
  public:
    // One capture at a time: false while another runs.
    bool TryBegin() { return !running_.exchange(true); }
    void End() { running_.store(false); }
    bool Running() const { return running_.load(); }

    // Set from just before Ctrl+C until the clipboard is back.
    bool RestorePending() const { return restorePending_.load(); }
    void SetRestorePending(bool pending) { restorePending_.store(pending); }

    // The window is closing: no further user-interface steps, no new Ctrl+C.
    void RequestStop() { stop_.store(true); }
    bool StopRequested() const { return stop_.load(); }
    // A new main window captures afresh (tests create several in one process).
    void ClearStop() { stop_.store(false); }

  private:
    std::atomic<bool> running_{false};
    std::atomic<bool> restorePending_{false};
    std::atomic<bool> stop_{false};
};

// The program's one state.
CaptureState& TheCaptureState();

// Claims the capture and starts it with startThread; false (the drag is
// dropped) while another capture runs or when the thread cannot start. The
// thread calls state.End() when its run is over.
bool StartCapture(CaptureState& state, const std::function<bool()>& startThread);

struct CaptureSeams {
    CaptureClipboard& clipboard;
    KeySender& keys;
    ForegroundProbe& foreground;
    ModifierProbe& modifiers;
    CaptureUi& ui;
    CaptureState& state;
    std::function<void(int32_t)> sleep;
};

enum class CaptureOutcome {
    SaveFailed,          // nothing pressed, nothing changed
    ModifiersHeld,       // the user kept Shift, Alt or Win down: nothing pressed
    TerminalForeground,  // nothing pressed
    Stopped,             // the window closed before Ctrl+C
    NothingCopied,       // the clipboard did not change: untouched, no search
    NoText,              // the copy had no text: restored, no search
    UiBusy,              // a step was refused: restored, the rest skipped
    Searched,            // all steps ran and the clipboard was restored
};

inline constexpr int32_t kSettleMs = 100;
inline constexpr int32_t kModifierPollMs = 10;
inline constexpr int32_t kModifierWaitMs = 500;

CaptureOutcome RunCapture(const CaptureSeams& seams);

}  // namespace tavimo::capture
