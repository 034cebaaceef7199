#include "capture/hook_win32.h"

#include <utility>

#include "app/globals.h"
#include "capture/hook_decision.h"
#include "capture/hover_tracker.h"

namespace tavimo::capture {

namespace {

MouseHookActions gActions;  // user-interface thread only

PointI CursorPos() {
    POINT p{0, 0};
    ::GetCursorPos(&p);
    return PointI{p.x, p.y};
}

HHOOK CurrentHook() {
    return GlobalsExist() ? static_cast<HHOOK>(G().MouseHook) : nullptr;
}

void OnMouseEvent(WPARAM message) {
    if (!GlobalsExist())
        return;
    MouseEvent event = message == WM_LBUTTONDOWN ? MouseEvent::LeftDown
                       : message == WM_LBUTTONUP ? MouseEvent::LeftUp
                                                 : MouseEvent::Other;
    if (event == MouseEvent::Other)
        return;
    PointI cursor = CursorPos();
    bool checked =
        event == MouseEvent::LeftUp && gActions.captureChecked && gActions.captureChecked();
    Globals& g = G();
    if (DecideMouseEvent(event, cursor, g.DragAnchor, checked, g.CaptureArmed.load()) &&
        gActions.startCapture) {
        gActions.startCapture();
    }
}

}  // namespace

bool InstallMouseHook(MouseHookActions actions) {
    if (!GlobalsExist())
        return false;
    gActions = std::move(actions);
    HHOOK hook = ::SetWindowsHookExA(WH_MOUSE_LL, MouseHookProc, ::GetModuleHandleA(nullptr), 0);
    G().MouseHook = hook;
    return hook != nullptr;
}

bool RemoveMouseHook() {
    HHOOK hook = CurrentHook();
    if (!hook)
        return false;
    G().MouseHook = nullptr;
    return ::UnhookWindowsHookEx(hook) != FALSE;
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM event) {
    if (code == HC_ACTION) {
        try {
            OnMouseEvent(message);
        } catch (...) {
            // The event is passed on whatever happened here.
        }
    }
    return ::CallNextHookEx(CurrentHook(), code, message, event);
}

void TrackHover(AppView& view, const std::function<void()>& bringWindowToFront) {
    if (!GlobalsExist())
        return;
    Globals& g = G();
    if (TrackHoverTick(CursorPos(), g.WindowRect, view.RaiseOnHoverChecked(), view.CaptureChecked(),
                       g.CaptureArmed) &&
        bringWindowToFront) {
        bringWindowToFront();
    }
}

void CaptureBoxClicked(AppView& view) {
    if (GlobalsExist())
        capture::CaptureBoxClicked(view.CaptureChecked(), G().CaptureArmed);
}

}  // namespace tavimo::capture
