// Swipe capture as the main window switches it on and off: the created
// handler calls StartSwipeCapture (where it installs the hook), the
// can-be-closed handler StopSwipeCapture, and the window procedure passes
// every message through HandleCaptureMessage (capture_dispatch_win32.h).
#pragma once

#include <windows.h>

#include "app/app_view.h"
#include "capture/capture_ui_steps.h"

namespace tavimo::capture {

// Makes mainWindow the target of the workers' steps, which run over view with
// actions, and installs the mouse hook into G().MouseHook. False when the hook
// could not be installed (nothing is reported; capture then never starts).
bool StartSwipeCapture(HWND mainWindow, AppView& view, CaptureUiActions actions);

// Removes the hook and waits up to waitMs for a capture between its Ctrl+C
// and its restore; later steps of that capture are refused.
void StopSwipeCapture(DWORD waitMs = 2000);

}  // namespace tavimo::capture
