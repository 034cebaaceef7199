// The main window's keyboard: the browser sees keys first, Esc closes the
// window from any control, Tab moves the focus from control to control (also
// out of the multi-line reference box). Enter has no window-wide meaning.
#pragma once

#include <windows.h>

namespace tavimo::win32 {

// Installed with SetMessageFilter; true when the key was used up.
bool MainWindowKeyFilter(MSG& msg);

}  // namespace tavimo::win32
