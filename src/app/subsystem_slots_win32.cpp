#include "app/subsystem_slots_win32.h"

#include "app/main_window_win32.h"
#include "loading/document_drop_win32.h"
#include "loading/loading_clipboard_win32.h"
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

void InstallMouseHookSlot(HWND) {}
void RemoveMouseHookSlot() {}
void TrackHoverSlot(AppView&) {}
void CaptureCheckClickedSlot(AppView&) {}

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

bool MainWindowMessageSlot(HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

}  // namespace tavimo::win32
