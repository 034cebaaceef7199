#include "web/shell_launcher_win32.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/codepage_win32.h"

namespace tavimo::win32 {

bool ShellLauncher::Launch(const Text& address) {
    const std::wstring wide = ToWide(address);
    const HINSTANCE r =
        ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success.
    return reinterpret_cast<INT_PTR>(r) > 32;
}

}  // namespace tavimo::win32
