// The window's own handlers and the two window routines other subsystems
// call. The window procedure only translates messages into these.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tavimo {

// Makes the window layered (for good) and sets its opacity.
void SetWindowOpacity(HWND window, int32_t alpha);
// Raises the main window above all others without leaving it topmost.
void BringWindowToFront();

}  // namespace tavimo

namespace tavimo::win32 {

// The window BringWindowToFront raises; null when there is none.
void SetMainWindowHandle(HWND window);
HWND MainWindowHandle();

// Created: opacity, mouse hook, drop target, WindowRect, CaptureArmed.
void OnWindowCreated(HWND window);
// Can be closed: removes the mouse hook; never refuses.
void OnWindowCanBeClosed();
// Keeps WindowRect on the window's screen rectangle.
void OnWindowPositionChanged(HWND window);
// Makes the tab control as large as the window's outer size.
void OnWindowSizeChanged(HWND window, HWND tab);
// 滑块条1 moved: the opacity follows it, whatever 窗口透明 says.
void OnSliderPositionChanged(HWND window, int32_t position);
// 选择框2 窗口透明 clicked.
void OnTransparencyClicked(HWND window, bool checked, int32_t sliderPosition);

}  // namespace tavimo::win32
