// Waiting in Win32 tests: pump the thread's messages until a condition holds
// or a deadline passes, never a bare sleep.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "win32/message_pump_win32.h"

namespace tavimo::testing {

// Dispatches messages (through the installed message filter, as the program's
// loop does) until done() is true; false when the deadline came first.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + timeout;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;  // the test's loop goes on
            win32::TranslateAndDispatch(msg);
            if (done())
                return true;
        }
        if (done())
            return true;
        const auto now = Clock::now();
        if (now >= end)
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
        ::MsgWaitForMultipleObjectsEx(0, nullptr,
                                      static_cast<DWORD>(std::min<long long>(left.count(), 20)),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// Dispatches messages for the whole duration (to see that something does not
// happen in it).
inline void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

}  // namespace tavimo::testing
