// The hand-off of a capture's user-interface steps: the worker sends each step
// to the main window and waits; the window procedure passes the message to
// HandleCaptureMessage, which runs it on the user-interface thread.
#pragma once

#include <windows.h>

#include "capture/capture_worker.h"

namespace tavimo::capture {

// The window the worker sends its steps to.
void SetCaptureWindow(HWND window);
HWND CaptureWindow();
// The steps that run there (not owned); until set, every step is refused.
void SetCaptureUiSteps(CaptureUi* steps);

UINT CaptureStepMessage();

// For the main window's procedure: true when the message was a capture step
// (its answer is in result).
bool HandleCaptureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Worker side: each step is a message sent to CaptureWindow().
class SentCaptureUi : public CaptureUi {
  public:
    StepResult WriteTerm(const Text& term) override;
    StepResult SearchLocally() override;
    StepResult ShowWebTab() override;
    StepResult SearchWeb() override;
    StepResult RaiseWindow() override;
};

// For the can-be-closed handler: stops further steps and waits, serving the
// worker's messages, until a capture between its Ctrl+C and its restore has
// put the clipboard back. False when the time ran out first.
bool WaitForCaptureRestore(DWORD timeoutMs);

}  // namespace tavimo::capture
