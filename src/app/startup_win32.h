// The program's start-up and its end.
#pragma once

#include <windows.h>

#include <functional>

namespace tavimo::win32 {

class MainWindow;

// Initialises the controls and OLE for this thread, creates the globals, shows
// the main window and runs the message loop until the window is gone; the
// globals are released on the way out. Returns the program's exit code.
// onShown, when given, runs once the window is up (the tests close it there).
int RunTavimo(HINSTANCE instance, int showCommand,
              const std::function<void(MainWindow&)>& onShown = nullptr);

}  // namespace tavimo::win32
