#include "web/program_web_tab_win32.h"

#include <memory>

#include "web/browser_emulation_win32.h"
#include "web/shell_launcher_win32.h"

namespace tavimo::win32 {

namespace {
ShellLauncher gShellLauncher;
AddressLauncher* gLauncher = &gShellLauncher;
std::unique_ptr<WebTab> gTab;
}  // namespace

void SetProgramAddressLauncher(AddressLauncher* launcher) noexcept {
    gLauncher = launcher ? launcher : &gShellLauncher;
}

// These run inside window procedures: nothing may escape them.
void CreateProgramWebTab(HWND container) noexcept {
    try {
        // Must precede the control's creation: the mode is read when the engine starts.
        EnsureBrowserEmulation(BrowserEmulationKey(), OwnExecutableName());
        WebTabOptions options;
        options.launcher = gLauncher;
        InstallProgramWebTab(WebTab::Create(container, std::move(options)));
    } catch (...) {
        // Out of memory: the tab stays empty and the handlers do nothing.
    }
}

void DestroyProgramWebTab() noexcept {
    gTab.reset();
}

void InstallProgramWebTab(std::unique_ptr<WebTab> tab) noexcept {
    gTab.reset();  // lets go of the box before the new tab takes it
    gTab = std::move(tab);
}

WebTab* ProgramWebTab() noexcept {
    return gTab.get();
}

void ProgramWebSearch(AppView& view) noexcept {
    if (!gTab)
        return;
    try {
        ShowWebSearch(view, gTab->browser());
    } catch (...) {
        // Out of memory while forming the address: this search is dropped.
    }
}

void ProgramWebBack() noexcept {
    if (gTab)
        gTab->browser().GoBack();
}
void ProgramWebRefresh() noexcept {
    if (gTab)
        gTab->browser().Refresh();
}
void ProgramWebForward() noexcept {
    if (gTab)
        gTab->browser().GoForward();
}
bool ProgramWebTranslateAccelerator(MSG& msg) noexcept {
    return gTab && gTab->TranslateAccelerator(msg);
}

}  // namespace tavimo::win32
