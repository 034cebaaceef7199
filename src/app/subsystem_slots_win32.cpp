#include "app/subsystem_slots_win32.h"

#include "web/program_web_tab_win32.h"

namespace tavimo::win32 {

void InstallMouseHookSlot(HWND) {}
void RemoveMouseHookSlot() {}
void TrackHoverSlot(AppView&) {}
void CaptureCheckClickedSlot(AppView&) {}

void RegisterDropTargetSlot(HWND) {}
void RevokeDropTargetSlot(HWND) {}
void PasteTimerSlot(AppView&) {}

void CreateBrowserSlot(HWND container) {
    CreateProgramWebTab(container);
}
void DestroyBrowserSlot() {
    DestroyProgramWebTab();
}
void ShowWebSearchSlot(AppView& view) {
    ProgramWebSearch(view);
}
void BrowserBackSlot() {
    ProgramWebBack();
}
void BrowserRefreshSlot() {
    ProgramWebRefresh();
}
void BrowserForwardSlot() {
    ProgramWebForward();
}
bool BrowserTranslateAcceleratorSlot(MSG& msg) {
    return ProgramWebTranslateAccelerator(msg);
}

bool MainWindowMessageSlot(HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

}  // namespace tavimo::win32
