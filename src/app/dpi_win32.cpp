#include "app/dpi_win32.h"

namespace tavimo::win32 {

namespace {

template <class Fn>
Fn User32Function(const char* name) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

// The screen's device context for the life of the object.
class ScreenDc {
  public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_)
            ::ReleaseDC(nullptr, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

uint32_t ScreenDpi() {
    ScreenDc dc;
    if (!dc.get())
        return 96;
    const int dpi = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<uint32_t>(dpi) : 96;
}

}  // namespace

uint32_t SystemDpi() {
    using Fn = UINT(WINAPI*)();
    static const Fn getDpiForSystem = User32Function<Fn>("GetDpiForSystem");
    if (getDpiForSystem) {
        const UINT dpi = getDpiForSystem();
        if (dpi > 0)
            return dpi;
    }
    return ScreenDpi();
}

uint32_t WindowDpi(HWND window) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn getDpiForWindow = User32Function<Fn>("GetDpiForWindow");
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return dpi;
    }
    return SystemDpi();
}

}  // namespace tavimo::win32
