// A whole capture under Wine: another thread's window holds an edit control,
// a drag is injected with SendInput, and the hook, the worker, the hand-off to
// this thread's window and the clipboard restore all run for real.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/globals.h"
#include "app/job_guard.h"
#include "capture/capture_dispatch_win32.h"
#include "capture/capture_ui_steps.h"
#include "capture/clipboard_fixtures_win32.h"
#include "capture/drag_fixtures_win32.h"
#include "capture/fake_app_view.h"
#include "capture/hook_win32.h"
#include "capture/worker_thread_win32.h"
#include "text/codepage.h"
#include "win32/clipboard_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::capture {
namespace {

using namespace clipboard_fixtures;
using namespace drag_fixtures;

LRESULT CALLBACK MainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    if (HandleCaptureMessage(h, m, w, l, result))
        return result;
    return ::DefWindowProcW(h, m, w, l);
}

HWND MakeMainWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CaptureTestMain";
    ::RegisterClassW(&wc);
    // Far from the edit window, so the drag happens "outside" it.
    HWND w = ::CreateWindowExW(0, wc.lpszClassName, L"main", WS_OVERLAPPED, 900, 700, 200, 150,
                               nullptr, nullptr, wc.hInstance, nullptr);
    return w;
}

struct Capture : testing::Test {
    FakeView view;
    std::vector<std::string> calls;
    HWND main = nullptr;
    std::atomic<int> started{0};

    void SetUp() override {
        TheCaptureState().ClearStop();
        InitGlobals();
        main = MakeMainWindow();
        ASSERT_NE(main, nullptr);
        RECT r;
        ::GetWindowRect(main, &r);
        G().WindowRect = RectD{double(r.left), double(r.top), double(r.right), double(r.bottom)};
        G().CaptureArmed = 1;
        win32::SetClipboardOwner(main);
        SetCaptureWindow(main);
        ASSERT_TRUE(InstallMouseHook({[this] { return view.captureChecked; },
                                      [this] {
                                          if (StartCaptureWorker())
                                              ++started;
                                      }}));
    }
    void TearDown() override {
        RemoveMouseHook();
        SetCaptureUiSteps(nullptr);
        SetCaptureWindow(nullptr);
        win32::SetClipboardOwner(nullptr);
        ::DestroyWindow(main);
        FreeGlobals();
    }
    // Wine mirrors the clipboard to the X selection in the background and,
    // when a window takes the focus, may pull the selection back in: let both
    // finish before the test puts its clipboard or drags.
    static void Settle() {
        PumpUntil([] { return false; }, 300);
    }
    void DragOver(HWND edit) {
        RECT r;
        ::GetWindowRect(edit, &r);
        POINT from{r.left + 2, (r.top + r.bottom) / 2};
        POINT to{r.right - 5, (r.top + r.bottom) / 2};
        Drag(from, to);
        PumpUntil([this] { return started > 0 && !TheCaptureState().Running(); }, 10000);
    }
};

TEST_F(Capture, DragCopiesSearchesAndPutsTheClipboardBack) {
    CaptureUiSteps steps(
        view,
        {[this](AppView& v) {
             calls.push_back("local");
             v.SetStatus(FromUtf8("找到"));
         },
         [this](AppView&) { calls.push_back("web"); }, [this] { calls.push_back("raise"); }},
        G().CaptureArmed, TheCaptureState());
    SetCaptureUiSteps(&steps);

    UINT html = ::RegisterClipboardFormatW(L"HTML Format");
    std::string fragment = "Version:0.9\r\n<b>x</b>";
    Bytes htmlBytes(fragment.begin(), fragment.end() + 1);
    Bytes unicode = Wide(L"user \u0E01 \U0001F600");
    OtherProgram other(L"swipe \u641C\u7D22 me");
    Settle();
    PutBlocks({{CF_UNICODETEXT, unicode}, {html, htmlBytes}});
    Settle();
    std::vector<UINT> before = Formats();
    DragOver(other.edit());

    ASSERT_EQ(started.load(), 1);
    EXPECT_EQ(view.term, FromUtf8("swipe 搜索 me"));
    EXPECT_EQ(view.tab, 1);
    EXPECT_EQ(view.status, FromUtf8("找到"));
    // The cursor ended outside the main window, so the window is raised.
    EXPECT_EQ(calls, (std::vector<std::string>{"local", "web", "raise"}));
    EXPECT_EQ(Block(CF_UNICODETEXT), unicode);
    EXPECT_EQ(Block(html), htmlBytes);
    EXPECT_EQ(Formats(), before);
}

// A job runs on the user-interface thread: every hand-off is answered busy,
// so nothing is written or searched, and the clipboard still comes back.
TEST_F(Capture, BusyWindowSkipsToTheRestore) {
    CaptureUiSteps steps(
        view,
        {[this](AppView&) { calls.push_back("local"); },
         [this](AppView&) { calls.push_back("web"); }, [this] { calls.push_back("raise"); }},
        G().CaptureArmed, TheCaptureState());
    SetCaptureUiSteps(&steps);
    Bytes unicode = Wide(L"before \u7B54");
    OtherProgram other(L"busy window text");
    Settle();
    PutBlocks({{CF_UNICODETEXT, unicode}});
    Settle();
    {
        JobGuard job;
        ASSERT_TRUE(job.acquired());
        DragOver(other.edit());
    }
    EXPECT_EQ(started.load(), 1);
    EXPECT_EQ(view.term, Text());
    EXPECT_EQ(view.tab, 0);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Block(CF_UNICODETEXT), unicode);
}

TEST_F(Capture, DragWithTheBoxOffDoesNothing) {
    view.captureChecked = false;
    SetCaptureUiSteps(nullptr);
    Bytes unicode = Wide(L"untouched");
    OtherProgram other(L"some text here");
    Settle();
    PutBlocks({{CF_UNICODETEXT, unicode}});
    Settle();
    DWORD seq = ::GetClipboardSequenceNumber();
    DragOver(other.edit());
    EXPECT_EQ(started.load(), 0);
    EXPECT_EQ(::GetClipboardSequenceNumber(), seq);
    EXPECT_EQ(Block(CF_UNICODETEXT), unicode);
}

// The console host's class: Ctrl+C would interrupt its program, so it is never
// pressed and the clipboard is not touched, though the drag selected text.
TEST_F(Capture, NeverPressesCtrlCIntoAConsole) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ConsoleWindowClass";
    ::RegisterClassW(&wc);
    CaptureUiSteps steps(view, {}, G().CaptureArmed, TheCaptureState());
    SetCaptureUiSteps(&steps);
    Bytes unicode = Wide(L"keep me");
    OtherProgram other(L"console text", L"ConsoleWindowClass");
    Settle();
    PutBlocks({{CF_UNICODETEXT, unicode}});
    Settle();
    DWORD seq = ::GetClipboardSequenceNumber();
    DragOver(other.edit());
    EXPECT_EQ(started.load(), 1);
    EXPECT_EQ(::GetClipboardSequenceNumber(), seq);
    EXPECT_EQ(view.term, Text());
    EXPECT_EQ(Block(CF_UNICODETEXT), unicode);
}

TEST_F(Capture, HoverTickReadsTheCursor) {
    ASSERT_TRUE(::SetCursorPos(950, 750));  // over the main window
    int raised = 0;
    TrackHover(view, [&] { ++raised; });
    EXPECT_EQ(G().CaptureArmed.load(), 0);
    EXPECT_EQ(raised, 1);
    ASSERT_TRUE(::SetCursorPos(10, 10));
    TrackHover(view, [&] { ++raised; });
    EXPECT_EQ(G().CaptureArmed.load(), 1);
    EXPECT_EQ(raised, 1);
}

struct Prior {
    const char* name;
    bool bitmapOnly;  // CF_BITMAP alone, else a CF_DIB block
    uint16_t bits;
};

class PriorBitmap : public Capture, public testing::WithParamInterface<Prior> {};

// What the clipboard held comes back after a real copy replaced it: a DIB
// byte for byte, palette included; a bitmap with its size and depth.
TEST_P(PriorBitmap, ComesBackAfterTheCapture) {
    const Prior& p = GetParam();
    CaptureUiSteps steps(view, {}, G().CaptureArmed, TheCaptureState());
    SetCaptureUiSteps(&steps);
    OtherProgram other(L"bitmap case");
    Settle();
    Bytes dib = Dib(p.bits, 13, 5);
    if (p.bitmapOnly) {
        PutBitmapOnly(p.bits, 13, 5);
    } else {
        PutBlocks({{CF_DIB, dib}});
    }
    Settle();
    std::vector<UINT> before = Formats();
    DragOver(other.edit());

    EXPECT_EQ(view.term, Text("bitmap case"));
    EXPECT_EQ(Formats(), before);
    if (p.bitmapOnly) {
        BITMAP bm = ClipboardBitmapInfo();
        EXPECT_EQ(bm.bmWidth, 13);
        EXPECT_EQ(bm.bmHeight, 5);
        EXPECT_EQ(bm.bmBitsPixel * bm.bmPlanes, p.bits);
    } else {
        EXPECT_EQ(Block(CF_DIB), dib);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PriorBitmap,
                         testing::Values(Prior{"dib1", false, 1}, Prior{"dib4", false, 4},
                                         Prior{"dib8", false, 8}, Prior{"dib16", false, 16},
                                         Prior{"dib24", false, 24}, Prior{"dib32", false, 32},
                                         Prior{"bitmap1", true, 1}, Prior{"bitmap8", true, 8},
                                         Prior{"bitmap32", true, 32}),
                         [](const auto& tpi) { return std::string(tpi.param.name); });

}  // namespace
}  // namespace tavimo::capture
