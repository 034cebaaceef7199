#include "win32/message_pump_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "text/sleep.h"

namespace tavimo {
namespace {

UINT gSeen = 0;

LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_APP)
        ++gSeen;
    return ::DefWindowProcW(h, m, w, l);
}

TEST(ProcessPendingEvents, DispatchesAndLeavesQuitQueued) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PumpTestWindow";
    ::RegisterClassW(&wc);
    HWND w = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_NE(w, nullptr);
    gSeen = 0;
    ::PostMessageW(w, WM_APP, 0, 0);
    ::PostMessageW(w, WM_APP, 0, 0);
    ProcessPendingEvents();
    EXPECT_EQ(gSeen, 2u);

    ::PostQuitMessage(7);
    ProcessPendingEvents();
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    ::DestroyWindow(w);
}

TEST(SleepMs, NegativeReturnsAtOnce) {
    DWORD t0 = ::GetTickCount();
    SleepMs(-100);
    EXPECT_LT(::GetTickCount() - t0, 50u);
}

}  // namespace
}  // namespace tavimo
