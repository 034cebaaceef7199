#include "app/startup_win32.h"

#include <commctrl.h>
#include <ole2.h>

#include "app/globals.h"
#include "app/main_window_win32.h"
#include "text/regex_component_win32.h"
#include "win32/message_pump_win32.h"

namespace tavimo::win32 {

namespace {

// OLE for the thread, for the drop target, the browser and automation.
class OleScope {
  public:
    OleScope() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    ~OleScope() {
        if (ok_)
            ::OleUninitialize();
    }

  private:
    bool ok_;
};

// FreeGlobals runs once when the program ends, however it gets there.
class GlobalsScope {
  public:
    GlobalsScope() { InitGlobals(); }
    GlobalsScope(const GlobalsScope&) = delete;
    GlobalsScope& operator=(const GlobalsScope&) = delete;
    ~GlobalsScope() { FreeGlobals(); }
};

}  // namespace

int RunTavimo(HINSTANCE instance, int showCommand,
              const std::function<void(MainWindow&)>& onShown) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    OleScope ole;
    // The system's own regular expressions where installed, else the stand-in.
    UseSystemRegexComponent();
    GlobalsScope globals;

    std::unique_ptr<MainWindow> window = MainWindow::Create(instance);
    if (!window)
        return 1;
    window->Show(showCommand);
    if (onShown)
        onShown(*window);
    return RunMessageLoop();
}

}  // namespace tavimo::win32
