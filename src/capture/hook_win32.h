// The low-level mouse hook: it reads the cursor on left presses and releases
// and at most starts a capture; every event goes on to the next hook as it was.
#pragma once

#include <windows.h>

#include <functional>

#include "app/app_view.h"

namespace tavimo::capture {

struct MouseHookActions {
    std::function<bool()> captureChecked;  // 选择框3 划屏取词
    std::function<void()> startCapture;    // StartCaptureWorker in the program
};

// Installs WH_MOUSE_LL for the whole desktop into G().MouseHook; false when
// Windows refuses (capture then never starts).
bool InstallMouseHook(MouseHookActions actions);
// Removes it; false when there was none or Windows refused.
bool RemoveMouseHook();

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM event);

// 时钟1's tick and 选择框3's click, for the main window.
void TrackHover(AppView& view, const std::function<void()>& bringWindowToFront);
void CaptureBoxClicked(AppView& view);

}  // namespace tavimo::capture
