// A swipe capture through the real program: its main window, its hook and
// its handlers as start-up wires them. Another thread's edit control holds the
// text; a real drag selects it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/globals.h"
#include "app/main_window_win32.h"
#include "app/startup_win32.h"
#include "capture/clipboard_fixtures_win32.h"
#include "capture/drag_fixtures_win32.h"
#include "capture/worker_thread_win32.h"
#include "text/codepage.h"
#include "win32/codepage_win32.h"

namespace tavimo::capture {
namespace {

using namespace clipboard_fixtures;
using namespace drag_fixtures;

std::wstring WindowText(HWND h) {
    std::wstring s(static_cast<size_t>(::GetWindowTextLengthW(h)) + 1, L'\0');
    s.resize(static_cast<size_t>(::GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

TEST(CaptureThroughTheProgram, DragSearchesLocallyAndTheClipboardComesBack) {
    int result =
        win32::RunTavimo(::GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE, [](win32::MainWindow& w) {
            // Away from the other program's window, so the drag is outside ours.
            ::SetWindowPos(w.hwnd(), nullptr, 650, 550, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            w.richBox().SetText(FromUtf8("甲 swipe 搜索 me\r\n乙 swipe 搜索 me"));
            OtherProgram other(L"swipe \u641C\u7D22 me");
            PumpUntil([] { return false; }, 300);
            const Bytes before = Wide(L"user \u0E01 text");
            PutBlocks({{CF_UNICODETEXT, before}});
            PumpUntil([] { return false; }, 300);

            RECT r;
            ::GetWindowRect(other.edit(), &r);
            // Wait for a hover tick to see the cursor outside, then drag.
            Drag({r.left + 2, (r.top + r.bottom) / 2}, {r.left + 2, (r.top + r.bottom) / 2});
            PumpUntil([] { return false; }, 100);
            Drag({r.left + 2, (r.top + r.bottom) / 2}, {r.right - 5, (r.top + r.bottom) / 2});
            const Text found =
                FromUtf8("搜索完毕，一共出现 2次内容，请点击上、下一条按钮精确定位！");
            PumpUntil(
                [&] {
                    return win32::FromWide(WindowText(w.control(kLabel3))) == found &&
                           !TheCaptureState().Running();
                },
                10000);

            EXPECT_EQ(w.Term(), FromUtf8("swipe 搜索 me"));
            EXPECT_EQ(w.CurrentTab(), 1);
            EXPECT_EQ(win32::FromWide(WindowText(w.control(kLabel3))), found);
            EXPECT_EQ(Block(CF_UNICODETEXT), before);
            w.RequestClose();
        });
    EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace tavimo::capture
