#include "win32/clipboard_win32.h"

#include <atomic>
#include <cstring>
#include <string>

#include "win32/codepage_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::win32 {

namespace {

std::atomic<HWND> gOwner{nullptr};

// A message-only window for threads that run before (or without) the main window.
struct ThreadOwnerWindow {
    UniqueWindow window;
    HWND get() {
        if (!window) {
            window.reset(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr));
        }
        return window.get();
    }
};

thread_local ThreadOwnerWindow tOwner;

}  // namespace

void SetClipboardOwner(HWND owner) {
    gOwner.store(owner);
}

HWND ClipboardOwner() {
    HWND owner = gOwner.load();
    return owner && ::IsWindow(owner) ? owner : tOwner.get();
}

}  // namespace tavimo::win32

namespace tavimo {

using win32::ClipboardSession;
using win32::GlobalLockGuard;

Text GetClipboardText() {
    ClipboardSession session;
    if (!session.open())
        return Text();
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return Text();
    GlobalLockGuard lock(data);
    if (!lock.get())
        return Text();
    // Never past the block, even when it holds no terminating zero.
    const wchar_t* p = static_cast<const wchar_t*>(lock.get());
    size_t max = lock.size() / sizeof(wchar_t);
    size_t n = 0;
    while (n < max && p[n] != L'\0')
        ++n;
    return win32::FromWide(std::wstring_view(p, n));
}

bool SetClipboardText(const Text& text) {
    ClipboardSession session;
    if (!session.open())
        return false;
    ::EmptyClipboard();
    std::wstring wide = win32::ToWide(text);
    win32::UniqueGlobal block(
        ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (wide.size() + 1) * sizeof(wchar_t)));
    if (!block)
        return false;
    {
        GlobalLockGuard lock(block.get());
        if (!lock.get())
            return false;
        std::memcpy(lock.get(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    }
    if (!::SetClipboardData(CF_UNICODETEXT, block.get()))
        return false;
    block.release();  // the clipboard owns the block now
    return true;
}

}  // namespace tavimo
