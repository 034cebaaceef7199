// Window classes of consoles and terminal emulators, where a simulated Ctrl+C
// would interrupt the running program instead of copying.
#pragma once

#include <string_view>

namespace tavimo::capture {

bool IsTerminalWindowClass(std::u16string_view className);

}  // namespace tavimo::capture
