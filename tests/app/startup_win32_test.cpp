#include "app/startup_win32.h"

#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/main_window_win32.h"

namespace tavimo::win32 {
namespace {

TEST(RunTavimo, ShowsTheWindowAndReleasesTheGlobalsOnceAtTheEnd) {
    const int freedBefore = FreeGlobalsRuns();
    bool shown = false;
    const int code = RunTavimo(::GetModuleHandleW(nullptr), SW_SHOWNORMAL, [&](MainWindow& w) {
        shown = ::IsWindowVisible(w.hwnd()) && GlobalsExist() && G().CaptureArmed == 1;
        EXPECT_EQ(FreeGlobalsRuns(), freedBefore);
        // Closed as the close button does; the loop ends with the window.
        ::PostMessageW(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(GlobalsExist());
    EXPECT_EQ(FreeGlobalsRuns(), freedBefore + 1);
}

}  // namespace
}  // namespace tavimo::win32
