#include "capture/capture_wiring_win32.h"

#include <memory>
#include <utility>

#include "app/globals.h"
#include "capture/capture_dispatch_win32.h"
#include "capture/hook_win32.h"
#include "capture/worker_thread_win32.h"

namespace tavimo::capture {

namespace {
std::unique_ptr<CaptureUiSteps> gSteps;  // user-interface thread only
}

bool StartSwipeCapture(HWND mainWindow, AppView& view, CaptureUiActions actions) {
    if (!GlobalsExist())
        return false;
    TheCaptureState().ClearStop();
    gSteps = std::make_unique<CaptureUiSteps>(view, std::move(actions), G().CaptureArmed,
                                              TheCaptureState());
    SetCaptureUiSteps(gSteps.get());
    SetCaptureWindow(mainWindow);
    return InstallMouseHook(
        {[&view] { return view.CaptureChecked(); }, [] { StartCaptureWorker(); }});
}

void StopSwipeCapture(DWORD waitMs) {
    RemoveMouseHook();
    WaitForCaptureRestore(waitMs);
    SetCaptureWindow(nullptr);
    SetCaptureUiSteps(nullptr);
    gSteps.reset();
}

}  // namespace tavimo::capture
