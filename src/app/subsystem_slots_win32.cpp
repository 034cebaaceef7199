#include "app/subsystem_slots_win32.h"

#include "app/main_window_win32.h"
#include "app/window_handlers_win32.h"
#include "capture/capture_dispatch_win32.h"
#include "capture/capture_wiring_win32.h"
#include "capture/hook_win32.h"
#include "loading/document_drop_win32.h"
#include "loading/loading_clipboard_win32.h"
#include "search/local_search.h"
#include "web/program_web_tab_win32.h"

namespace tavimo::win32 {

namespace {

// The browser tab as it is at each call: the drop loader holds on to this.
class ProgramBrowser final : public Browser {
  public:
    void Navigate(const Text& address) override {
        if (WebTab* tab = ProgramWebTab())
            tab->browser().Navigate(address);
    }
    void GoBack() override { ProgramWebBack(); }
    void GoForward() override { ProgramWebForward(); }
    void Refresh() override { ProgramWebRefresh(); }
};

ProgramBrowser gProgramBrowser;

}  // namespace

void InstallMouseHookSlot(HWND window) {
    MainWindow* main = CurrentMainWindow();
    if (!main)
        return;
    capture::CaptureUiActions actions;
    actions.runLocalSearch = [](AppView& view) { RunLocalSearch(view); };
    actions.showWebSearch = [](AppView& view) { ProgramWebSearch(view); };
    actions.bringWindowToFront = [] { BringWindowToFront(); };
    capture::StartSwipeCapture(window, *main, std::move(actions));
}
void RemoveMouseHookSlot() {
    // Waits briefly for a capture between its Ctrl+C and its restore.
    capture::StopSwipeCapture(2000);
}
void TrackHoverSlot(AppView& view) {
    capture::TrackHover(view, [] { BringWindowToFront(); });
}
void CaptureCheckClickedSlot(AppView& view) {
    capture::CaptureBoxClicked(view);
}

void RegisterDropTargetSlot(HWND window) {
    MainWindow* main = CurrentMainWindow();
    if (!main)
        return;
    loading::DocumentDropSetup setup;
    setup.view = main;
    setup.browser = &gProgramBrowser;
    setup.box = main->richBox().hwnd();
    setup.setPasteTimer = [](int32_t ms) {
        if (MainWindow* w = CurrentMainWindow())
            w->SetPasteTimerPeriod(ms);
    };
    setup.clipboard = loading::MakeSnapshotClipboard();
    loading::RegisterDocumentDrop(window, std::move(setup));
}
void RevokeDropTargetSlot(HWND window) {
    loading::RevokeDocumentDrop(window);
}
void PasteTimerSlot(AppView& view) {
    loading::OnDocumentPasteTimer(view);
}

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

bool MainWindowMessageSlot(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return capture::HandleCaptureMessage(window, msg, wp, lp, result);
}

}  // namespace tavimo::win32
