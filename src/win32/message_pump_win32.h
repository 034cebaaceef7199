// The one translate-and-dispatch path, shared by the message loop and by the
// nested dispatch that long jobs do on their time slice.
#pragma once

#include <windows.h>

namespace tavimo::win32 {

// Sees each message before it is translated; returns true when it handled the
// message (keyboard navigation, the browser's accelerators).
using MessageFilter = bool (*)(MSG& msg);
void SetMessageFilter(MessageFilter filter);

void TranslateAndDispatch(MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Makes ProcessPendingEvents the calling thread's time-slice dispatcher.
void UseMessagePumpForTimeSlices();

}  // namespace tavimo::win32

namespace tavimo {

// Dispatches the waiting messages of the calling thread until the queue is
// empty or the next one is WM_QUIT, which stays queued.
void ProcessPendingEvents();

}  // namespace tavimo
