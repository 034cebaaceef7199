#include "app/subsystem_slots_win32.h"

namespace tavimo::win32 {

void InstallMouseHookSlot(HWND) {}
void RemoveMouseHookSlot() {}
void TrackHoverSlot(AppView&) {}
void CaptureCheckClickedSlot(AppView&) {}

void RegisterDropTargetSlot(HWND) {}
void RevokeDropTargetSlot(HWND) {}
void PasteTimerSlot(AppView&) {}

void CreateBrowserSlot(HWND) {}
void DestroyBrowserSlot() {}
void ShowWebSearchSlot(AppView&) {}
void BrowserBackSlot() {}
void BrowserRefreshSlot() {}
void BrowserForwardSlot() {}
bool BrowserTranslateAcceleratorSlot(MSG&) {
    return false;
}

bool MainWindowMessageSlot(HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

}  // namespace tavimo::win32
