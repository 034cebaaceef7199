// Where the main window hands over to the subsystems that plug into it: the
// mouse hook and hover tracking, the drop target and its paste fallback, and
// the embedded browser. The window calls each at its place in the event table.
#pragma once

#include <windows.h>

#include "app/app_view.h"

namespace tavimo::win32 {

// Created handler and can-be-closed handler.
void InstallMouseHookSlot(HWND window);
void RemoveMouseHookSlot();
// 时钟1, every 10 ms.
void TrackHoverSlot(AppView& view);
// 选择框3 划屏取词 clicked.
void CaptureCheckClickedSlot(AppView& view);

// 拖放对象1: registered by the created handler, revoked when the window goes.
void RegisterDropTargetSlot(HWND window);
void RevokeDropTargetSlot(HWND window);
// 时钟2, the paste fallback after a drop.
void PasteTimerSlot(AppView& view);

// 超文本浏览框1: the browser lives in this container window.
void CreateBrowserSlot(HWND container);
void DestroyBrowserSlot();
// 选择夹1 clicked.
void ShowWebSearchSlot(AppView& view);
// 按钮2 "<<", 按钮4 "◎", 按钮3 ">>".
void BrowserBackSlot();
void BrowserRefreshSlot();
void BrowserForwardSlot();
// Sees every key message first; true when the browser used it.
bool BrowserTranslateAcceleratorSlot(MSG& msg);

// Sees each message of the main window first (the capture worker's hand-off);
// true, with result set, when it handled the message.
bool MainWindowMessageSlot(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

}  // namespace tavimo::win32
