// BSTR and VARIANT owners of the browser tab; the COM pointer is the shared one.
#pragma once

#include <windows.h>

#include <oleauto.h>
#include <unknwn.h>

#include <utility>

#include "win32/com_win32.h"

namespace tavimo::win32 {

// Owns one BSTR.
class UniqueBstr {
  public:
    UniqueBstr() = default;
    explicit UniqueBstr(const wchar_t* s) : b_(::SysAllocString(s)) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& o) noexcept {
        if (this != &o) {
            ::SysFreeString(b_);
            b_ = std::exchange(o.b_, nullptr);
        }
        return *this;
    }
    ~UniqueBstr() { ::SysFreeString(b_); }

    BSTR get() const { return b_; }
    BSTR* put() {
        ::SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }

  private:
    BSTR b_ = nullptr;
};

// Owns one VARIANT and clears it at the end.
class UniqueVariant {
  public:
    UniqueVariant() { ::VariantInit(&v_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { ::VariantClear(&v_); }

    static UniqueVariant Int(LONG value) {
        UniqueVariant u;
        u.v_.vt = VT_I4;
        u.v_.lVal = value;
        return u;
    }
    UniqueVariant(UniqueVariant&& o) noexcept : v_(o.v_) { ::VariantInit(&o.v_); }

    VARIANT* get() { return &v_; }
    const VARIANT& value() const { return v_; }

  private:
    VARIANT v_;
};

}  // namespace tavimo::win32
