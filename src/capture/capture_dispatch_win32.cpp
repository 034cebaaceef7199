#include "capture/capture_dispatch_win32.h"

#include <atomic>

namespace tavimo::capture {

namespace {

enum Step : WPARAM { kWriteTerm = 1, kSearchLocally, kShowWebTab, kSearchWeb, kRaiseWindow };

// Answers; 0 is what SendMessage gives for a window that is gone.
constexpr LRESULT kRan = 1;
constexpr LRESULT kRefused = 2;

std::atomic<HWND> gWindow{nullptr};
CaptureUi* gSteps = nullptr;  // user-interface thread only
// The term of the WriteTerm step in flight. The message is registered, so any
// program could send it: nothing it carries is ever trusted as a pointer.
std::atomic<const Text*> gTerm{nullptr};

StepResult Send(Step step) {
    HWND window = gWindow.load();
    if (!window)
        return StepResult::Busy;
    LRESULT r = ::SendMessageW(window, CaptureStepMessage(), step, 0);
    return r == kRan ? StepResult::Ran : StepResult::Busy;
}

StepResult RunStep(WPARAM step) {
    CaptureState& state = TheCaptureState();
    if (!gSteps || !state.Running() || state.StopRequested())
        return StepResult::Busy;
    switch (step) {
        case kWriteTerm: {
            const Text* term = gTerm.load();
            return term ? gSteps->WriteTerm(*term) : StepResult::Busy;
        }
        case kSearchLocally:
            return gSteps->SearchLocally();
        case kShowWebTab:
            return gSteps->ShowWebTab();
        case kSearchWeb:
            return gSteps->SearchWeb();
        case kRaiseWindow:
            return gSteps->RaiseWindow();
        default:
            return StepResult::Busy;
    }
}

}  // namespace

void SetCaptureWindow(HWND window) {
    gWindow.store(window);
}
HWND CaptureWindow() {
    return gWindow.load();
}
void SetCaptureUiSteps(CaptureUi* steps) {
    gSteps = steps;
}

UINT CaptureStepMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"Tavimo.CaptureStep");
    return message;
}

bool HandleCaptureMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == 0 || message != CaptureStepMessage())
        return false;
    result = kRefused;
    try {
        if (RunStep(wParam) == StepResult::Ran)
            result = kRan;
    } catch (...) {
        // A step that failed counts as refused: the worker goes on to the restore.
    }
    return true;
}

StepResult SentCaptureUi::WriteTerm(const Text& term) {
    gTerm.store(&term);
    StepResult r = Send(kWriteTerm);
    gTerm.store(nullptr);
    return r;
}
StepResult SentCaptureUi::SearchLocally() {
    return Send(kSearchLocally);
}
StepResult SentCaptureUi::ShowWebTab() {
    return Send(kShowWebTab);
}
StepResult SentCaptureUi::SearchWeb() {
    return Send(kSearchWeb);
}
StepResult SentCaptureUi::RaiseWindow() {
    return Send(kRaiseWindow);
}

bool WaitForCaptureRestore(DWORD timeoutMs) {
    CaptureState& state = TheCaptureState();
    state.RequestStop();
    DWORD start = ::GetTickCount();
    while (state.RestorePending()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        // Serve the worker's sent messages (answered "refused" now) and the
        // clipboard's, or the worker could never reach its restore.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

}  // namespace tavimo::capture
