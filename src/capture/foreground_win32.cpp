#include "capture/foreground_win32.h"

#include <windows.h>

#include <string>

#include "capture/terminal_classes.h"

namespace tavimo::capture {

namespace {

bool HasTerminalClass(HWND window) {
    if (!window)
        return false;
    wchar_t name[256] = {};
    int n = ::GetClassNameW(window, name, 256);
    if (n <= 0)
        return false;
    std::u16string cls(reinterpret_cast<const char16_t*>(name), static_cast<size_t>(n));
    return IsTerminalWindowClass(cls);
}

}  // namespace

bool ForegroundWindowProbe::ForegroundIsTerminal() {
    HWND foreground = ::GetForegroundWindow();
    if (!foreground)
        return false;
    if (HasTerminalClass(foreground) || HasTerminalClass(::GetAncestor(foreground, GA_ROOTOWNER))) {
        return true;
    }
    // The keys go to the focus of the foreground thread, which may be an
    // embedded terminal inside another frame.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = ::GetWindowThreadProcessId(foreground, nullptr);
    if (thread && ::GetGUIThreadInfo(thread, &info))
        return HasTerminalClass(info.hwndFocus);
    return false;
}

}  // namespace tavimo::capture
