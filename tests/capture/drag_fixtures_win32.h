// Another program's window holding text, a real mouse drag over it, and a
// pump with a deadline: what the whole-capture tests share.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace tavimo::capture::drag_fixtures {

// The other program: a window with an edit control, on its own thread.
class OtherProgram {
  public:
    // frameClass: the window class of the frame, "STATIC" or one registered here.
    explicit OtherProgram(const wchar_t* text, const wchar_t* frameClass = L"STATIC") {
        thread_ = std::thread([this, text, frameClass] {
            frame_ = ::CreateWindowExW(0, frameClass, L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       50, 50, 500, 200, nullptr, nullptr, nullptr, nullptr);
            edit_ = ::CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE | ES_LEFT, 10, 10,
                                      460, 30, frame_, nullptr, nullptr, nullptr);
            ::SetForegroundWindow(frame_);
            ::SetFocus(edit_);
            threadId_ = ::GetCurrentThreadId();
            ready_ = true;
            MSG msg;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::DestroyWindow(frame_);
        });
        while (!ready_)
            ::Sleep(5);
    }
    ~OtherProgram() {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND edit() const { return edit_; }

  private:
    std::thread thread_;
    std::atomic<bool> ready_{false};
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    DWORD threadId_ = 0;
};

inline void MoveAbsolute(INPUT& in, POINT p, DWORD extra) {
    int w = ::GetSystemMetrics(SM_CXSCREEN) - 1, h = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / w;
    in.mi.dy = p.y * 65535 / h;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | extra;
}

inline void Drag(POINT from, POINT to) {
    INPUT in[4] = {};
    MoveAbsolute(in[0], from, 0);
    MoveAbsolute(in[1], from, MOUSEEVENTF_LEFTDOWN);
    MoveAbsolute(in[2], to, 0);
    MoveAbsolute(in[3], to, MOUSEEVENTF_LEFTUP);
    // One at a time, with this thread's queue served in between, so the hook
    // reads each position as the event happens.
    for (INPUT& i : in) {
        ::SendInput(1, &i, sizeof(INPUT));
        for (int n = 0; n < 10; ++n) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            ::Sleep(5);
        }
    }
}

inline void PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace tavimo::capture::drag_fixtures
