// The DPI the window is laid out for. Resolved at run time so the program
// still starts on systems older than the per-monitor calls.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tavimo::win32 {

uint32_t SystemDpi();
uint32_t WindowDpi(HWND window);

}  // namespace tavimo::win32
