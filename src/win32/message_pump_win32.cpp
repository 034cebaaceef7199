#include "win32/message_pump_win32.h"

#include "text/time_slice.h"

namespace tavimo::win32 {

namespace {
MessageFilter gFilter = nullptr;
}

void SetMessageFilter(MessageFilter filter) {
    gFilter = filter;
}

void TranslateAndDispatch(MSG& msg) {
    if (gFilter && gFilter(msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

int RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        TranslateAndDispatch(msg);
    return static_cast<int>(msg.wParam);
}

void UseMessagePumpForTimeSlices() {
    SetPendingEventsDispatcher({[](void*) { ProcessPendingEvents(); }, nullptr});
}

}  // namespace tavimo::win32

namespace tavimo {

void ProcessPendingEvents() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            return;
        if (msg.message == WM_QUIT) {
            // Another quit slipped in between the two peeks: queue it again.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        win32::TranslateAndDispatch(msg);
    }
}

}  // namespace tavimo
