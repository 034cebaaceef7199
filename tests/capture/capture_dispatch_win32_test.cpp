// The hand-off between a worker thread and the window's thread, and the close
// handler's wait for a pending restore.
#include "capture/capture_dispatch_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "app/globals.h"
#include "capture/capture_wiring_win32.h"
#include "capture/fake_app_view.h"

namespace tavimo::capture {
namespace {

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    if (HandleCaptureMessage(h, m, w, l, result))
        return result;
    return ::DefWindowProcW(h, m, w, l);
}

struct CountingUi : CaptureUi {
    Text term;
    int steps = 0;
    DWORD thread = 0;
    StepResult Note() {
        ++steps;
        thread = ::GetCurrentThreadId();
        return StepResult::Ran;
    }
    StepResult WriteTerm(const Text& t) override {
        term = t;
        return Note();
    }
    StepResult SearchLocally() override { return Note(); }
    StepResult ShowWebTab() override { return Note(); }
    StepResult SearchWeb() override { return Note(); }
    StepResult RaiseWindow() override { return Note(); }
};

struct Dispatch : testing::Test {
    HWND window = nullptr;
    CountingUi ui;
    void SetUp() override {
        TheCaptureState().ClearStop();
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CaptureDispatchTest";
        ::RegisterClassW(&wc);
        window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        SetCaptureWindow(window);
        SetCaptureUiSteps(&ui);
        ASSERT_TRUE(TheCaptureState().TryBegin());
    }
    void TearDown() override {
        TheCaptureState().End();
        TheCaptureState().SetRestorePending(false);
        SetCaptureUiSteps(nullptr);
        SetCaptureWindow(nullptr);
        ::DestroyWindow(window);
    }
    static void Pump(const std::atomic<bool>& done) {
        while (!done) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
};

TEST_F(Dispatch, StepsRunOnTheWindowsThread) {
    std::atomic<bool> done{false};
    StepResult a = StepResult::Busy, f = StepResult::Busy;
    std::thread worker([&] {
        SentCaptureUi sent;
        a = sent.WriteTerm(Text("term"));
        f = sent.RaiseWindow();
        done = true;
    });
    Pump(done);
    worker.join();
    EXPECT_EQ(a, StepResult::Ran);
    EXPECT_EQ(f, StepResult::Ran);
    EXPECT_EQ(ui.term, Text("term"));
    EXPECT_EQ(ui.thread, ::GetCurrentThreadId());
}

TEST_F(Dispatch, StrayMessagesAreRefused) {
    // Without a capture running, or with no term in flight, nothing runs.
    LRESULT r = ::SendMessageW(window, CaptureStepMessage(), 1, 12345);
    EXPECT_NE(r, 1);
    TheCaptureState().End();
    r = ::SendMessageW(window, CaptureStepMessage(), 5, 0);
    EXPECT_NE(r, 1);
    EXPECT_EQ(ui.steps, 0);
}

TEST_F(Dispatch, NoWindowMeansBusy) {
    SetCaptureWindow(nullptr);
    SentCaptureUi sent;
    EXPECT_EQ(sent.SearchLocally(), StepResult::Busy);
}

// The worker is blocked sending a step when the window starts closing: the
// wait serves the message (refusing it) and returns once the restore is done.
TEST_F(Dispatch, CloseWaitsForThePendingRestore) {
    CaptureState& state = TheCaptureState();
    state.SetRestorePending(true);
    std::atomic<bool> sending{false};
    StepResult step = StepResult::Ran;
    std::thread worker([&] {
        SentCaptureUi sent;
        sending = true;
        step = sent.SearchWeb();
        ::Sleep(50);  // the restore
        state.SetRestorePending(false);
    });
    while (!sending)
        ::Sleep(1);
    ::Sleep(20);
    EXPECT_TRUE(WaitForCaptureRestore(5000));
    worker.join();
    EXPECT_EQ(step, StepResult::Busy);
    EXPECT_EQ(ui.steps, 0);
    EXPECT_TRUE(state.StopRequested());
}

TEST_F(Dispatch, CloseGivesUpAfterTheTimeout) {
    TheCaptureState().SetRestorePending(true);
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(WaitForCaptureRestore(200));
    EXPECT_GE(::GetTickCount() - start, 190u);
}

TEST(SwipeCapture, StartInstallsTheHookAndStopRemovesIt) {
    InitGlobals();
    FakeView view;
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
    ASSERT_TRUE(StartSwipeCapture(window, view, {}));
    EXPECT_NE(G().MouseHook, nullptr);
    EXPECT_EQ(CaptureWindow(), window);
    EXPECT_FALSE(TheCaptureState().StopRequested());
    StopSwipeCapture(100);
    EXPECT_EQ(G().MouseHook, nullptr);
    EXPECT_EQ(CaptureWindow(), nullptr);
    EXPECT_TRUE(TheCaptureState().StopRequested());
    ::DestroyWindow(window);
    FreeGlobals();
}

}  // namespace
}  // namespace tavimo::capture
