// Small owners for Win32 handles, GDI objects and global memory locks.
#pragma once

#include <windows.h>

#include <utility>

namespace tavimo::win32 {

// Owns one handle; Close is the call that frees it.
template <class H, auto Close, H Invalid = H{}>
class Unique {
  public:
    Unique() = default;
    explicit Unique(H h) : h_(h) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(o.release()) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o)
            reset(o.release());
        return *this;
    }
    ~Unique() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid; }
    // Gives up ownership, as for a hand-off to the clipboard.
    H release() { return std::exchange(h_, Invalid); }
    void reset(H h = Invalid) {
        if (h_ != Invalid)
            Close(h_);
        h_ = h;
    }

  private:
    H h_ = Invalid;
};

inline void CloseHandleChecked(HANDLE h) {
    ::CloseHandle(h);
}
inline void DeleteGdiObject(HGDIOBJ h) {
    ::DeleteObject(h);
}
inline void DeleteDc(HDC h) {
    ::DeleteDC(h);
}
inline void FreeGlobal(HGLOBAL h) {
    ::GlobalFree(h);
}
inline void DestroyWindowChecked(HWND h) {
    ::DestroyWindow(h);
}

using UniqueHandle = Unique<HANDLE, CloseHandleChecked>;
using UniqueGdiObject = Unique<HGDIOBJ, DeleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;
using UniqueDc = Unique<HDC, DeleteDc>;
using UniqueGlobal = Unique<HGLOBAL, FreeGlobal>;
using UniqueWindow = Unique<HWND, DestroyWindowChecked>;

// A GlobalLock held for the life of the object.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL h) : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (p_)
            ::GlobalUnlock(h_);
    }
    void* get() const { return p_; }
    // The block's size; 0 when it could not be locked.
    SIZE_T size() const { return p_ ? ::GlobalSize(h_) : 0; }

  private:
    HGLOBAL h_;
    void* p_;
};

// A device context selected with one object, put back on destruction.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (ok())
            ::SelectObject(dc_, old_);
    }
    bool ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace tavimo::win32
