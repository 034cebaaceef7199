#include "web/program_web_tab_win32.h"

#include <memory>

#include "web/browser_emulation_win32.h"
#include "web/shell_launcher_win32.h"

namespace tavimo::win32 {

namespace {
ShellLauncher gLauncher;
std::unique_ptr<WebTab> gTab;
}  // namespace

void CreateProgramWebTab(HWND container) {
    // Must precede the control's creation: the mode is read when the engine starts.
    EnsureBrowserEmulation(BrowserEmulationKey(), OwnExecutableName());
    WebTabOptions options;
    options.launcher = &gLauncher;
    InstallProgramWebTab(WebTab::Create(container, std::move(options)));
}

void DestroyProgramWebTab() {
    gTab.reset();
}

void InstallProgramWebTab(std::unique_ptr<WebTab> tab) {
    gTab.reset();  // lets go of the box before the new tab takes it
    gTab = std::move(tab);
}

WebTab* ProgramWebTab() {
    return gTab.get();
}

void ProgramWebSearch(AppView& view) {
    if (gTab)
        ShowWebSearch(view, gTab->browser());
}
void ProgramWebBack() {
    if (gTab)
        gTab->browser().GoBack();
}
void ProgramWebRefresh() {
    if (gTab)
        gTab->browser().Refresh();
}
void ProgramWebForward() {
    if (gTab)
        gTab->browser().GoForward();
}
bool ProgramWebTranslateAccelerator(MSG& msg) {
    return gTab && gTab->TranslateAccelerator(msg);
}

}  // namespace tavimo::win32
