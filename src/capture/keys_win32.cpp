#include "capture/keys_win32.h"

#include <windows.h>

namespace tavimo::capture {

void KeybdEventSender::PressCtrlC() {
    constexpr BYTE kC = 'C';
    ::keybd_event(VK_CONTROL, 0, 0, 0);
    ::keybd_event(kC, 0, 0, 0);
    ::keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    ::keybd_event(kC, 0, KEYEVENTF_KEYUP, 0);
}

bool AsyncModifierProbe::ModifiersHeld() {
    for (int key : {VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN}) {
        if (::GetAsyncKeyState(key) & 0x8000)
            return true;
    }
    return false;
}

}  // namespace tavimo::capture
