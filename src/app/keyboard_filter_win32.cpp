#include "app/keyboard_filter_win32.h"

#include "app/job_guard.h"
#include "app/main_window_win32.h"
#include "app/subsystem_slots_win32.h"

namespace tavimo::win32 {

namespace {

bool Down(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

void MoveFocus(HWND window, bool backwards) {
    HWND focus = ::GetFocus();
    if (focus && !::IsChild(window, focus))
        focus = nullptr;
    HWND next = ::GetNextDlgTabItem(window, focus, backwards ? TRUE : FALSE);
    if (next)
        ::SetFocus(next);
}

}  // namespace

bool MainWindowKeyFilter(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    if (BrowserTranslateAcceleratorSlot(msg))
        return true;
    MainWindow* main = CurrentMainWindow();
    if (!main)
        return false;
    HWND window = main->hwnd();
    if (msg.hwnd != window && !::IsChild(window, msg.hwnd))
        return false;

    const auto key = static_cast<int>(msg.wParam);
    if (msg.message == WM_KEYDOWN && key == VK_ESCAPE) {
        main->RequestClose();
        return true;
    }
    if (msg.message == WM_KEYDOWN && key == VK_TAB && !Down(VK_CONTROL) && !Down(VK_MENU)) {
        MoveFocus(window, Down(VK_SHIFT));
        return true;
    }
    // While a long job runs (it lets events run on its time slice), typing
    // into the term or the reference box would change the text under it.
    if (JobGuard::Busy() &&
        (msg.hwnd == main->control(kEditBox1) || msg.hwnd == main->richBox().hwnd()))
        return true;
    // The characters of keys handled above must not reach the control either.
    if (msg.message == WM_CHAR && (key == L'\t' || key == 0x1B) && !Down(VK_CONTROL))
        return true;
    return false;
}

}  // namespace tavimo::win32
