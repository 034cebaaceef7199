#include "app/window_handlers_win32.h"

#include <algorithm>
#include <atomic>

#include "app/globals.h"
#include "app/subsystem_slots_win32.h"

namespace tavimo {

void SetWindowOpacity(HWND window, int32_t alpha) {
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)),
                                 LWA_ALPHA);
}

void BringWindowToFront() {
    HWND window = win32::MainWindowHandle();
    if (!window)
        return;
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tavimo

namespace tavimo::win32 {

namespace {
// Read by BringWindowToFront, which the capture worker calls from its thread.
std::atomic<HWND> gMainWindow{nullptr};

RectD ToRectD(const RECT& r) {
    return {static_cast<double>(r.left), static_cast<double>(r.top), static_cast<double>(r.right),
            static_cast<double>(r.bottom)};
}
}  // namespace

void SetMainWindowHandle(HWND window) {
    gMainWindow = window;
}
HWND MainWindowHandle() {
    return gMainWindow;
}

void OnWindowCreated(HWND window) {
    RECT rect{0, 0, 0, 0};
    ::GetWindowRect(window, &rect);
    SetWindowOpacity(window, 200);
    InstallMouseHookSlot(window);
    RegisterDropTargetSlot(window);
    G().WindowRect = ToRectD(rect);
    G().CaptureArmed = 1;
}

void OnWindowCanBeClosed() {
    RemoveMouseHookSlot();
}

void OnWindowPositionChanged(HWND window) {
    RECT rect{0, 0, 0, 0};
    ::GetWindowRect(window, &rect);
    G().WindowRect = ToRectD(rect);
}

void OnWindowSizeChanged(HWND window, HWND tab) {
    RECT rect{0, 0, 0, 0};
    ::GetWindowRect(window, &rect);
    ::SetWindowPos(tab, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnSliderPositionChanged(HWND window, int32_t position) {
    SetWindowOpacity(window, position);
}

void OnTransparencyClicked(HWND window, bool checked, int32_t sliderPosition) {
    SetWindowOpacity(window, checked ? sliderPosition : 255);
}

}  // namespace tavimo::win32
