// The program's one browser tab, as the main window's handlers use it. All of
// these run on the user-interface thread; before CreateProgramWebTab and
// after DestroyProgramWebTab they do nothing.
#pragma once

#include <windows.h>

#include <memory>

#include "app/app_view.h"
#include "web/external_browser.h"
#include "web/web_tab_win32.h"

namespace tavimo::win32 {

// Opts the executable into the current engine mode, then fills the box with
// the browser control (or the note and the default browser).
void CreateProgramWebTab(HWND container) noexcept;
// Call while the box still exists (WM_DESTROY of the main window at the latest).
void DestroyProgramWebTab() noexcept;
// Puts a tab made elsewhere in its place (tests give one with a stand-in).
void InstallProgramWebTab(std::unique_ptr<WebTab> tab) noexcept;
WebTab* ProgramWebTab() noexcept;

// Where the fallback opens addresses: the default browser unless a test
// puts its own launcher in (before the tab is created); null restores it.
void SetProgramAddressLauncher(AddressLauncher* launcher) noexcept;

// The tab control's click handler.
void ProgramWebSearch(AppView& view) noexcept;
// "<<", "◎" and ">>".
void ProgramWebBack() noexcept;
void ProgramWebRefresh() noexcept;
void ProgramWebForward() noexcept;
// For the message filter: true when the browser took the key message.
bool ProgramWebTranslateAccelerator(MSG& msg) noexcept;

}  // namespace tavimo::win32
