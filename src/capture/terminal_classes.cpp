#include "capture/terminal_classes.h"

#include <array>

namespace tavimo::capture {

namespace {
constexpr std::array<std::u16string_view, 8> kTerminalClasses = {
    u"ConsoleWindowClass",             // the console host
    u"CASCADIA_HOSTING_WINDOW_CLASS",  // Windows Terminal
    u"PseudoConsoleWindow",            // a pseudo console's own window
    u"mintty",                         // Cygwin, MSYS2, Git Bash
    u"PuTTY",
    u"KiTTY",
    u"VirtualConsoleClass",  // ConEmu, Cmder
    u"org.wezfurlong.wezterm",
};

// Window class names are matched without regard to ASCII case, as Windows does.
bool SameClassName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

bool IsTerminalWindowClass(std::u16string_view className) {
    for (std::u16string_view c : kTerminalClasses) {
        if (SameClassName(c, className))
            return true;
    }
    return false;
}

}  // namespace tavimo::capture
