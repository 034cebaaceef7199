// Linked into every test program that creates the real main window: the
// browser tab's fallback then records addresses instead of opening them, so
// no test run starts a real browser or reaches the network.
#include "support/no_real_browser_win32.h"

#include "web/program_web_tab_win32.h"

namespace tavimo::testing {

namespace {

struct InstallAtLoad {
    InstallAtLoad() { win32::SetProgramAddressLauncher(&LaunchedAddresses()); }
};
const InstallAtLoad gInstall;

}  // namespace

RecordingLauncher& LaunchedAddresses() {
    static RecordingLauncher launcher;
    return launcher;
}

}  // namespace tavimo::testing
