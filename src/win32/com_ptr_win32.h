// Small owners for COM interface pointers, BSTRs and VARIANTs.
#pragma once

#include <windows.h>

#include <oleauto.h>
#include <unknwn.h>

#include <utility>

namespace tavimo::win32 {

// Holds one reference to a COM object.
template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    // Adds a reference of its own.
    static ComPtr Share(T* p) {
        if (p)
            p->AddRef();
        return Adopt(p);
    }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_)
            p_->AddRef();
    }
    ComPtr& operator=(const ComPtr& o) {
        ComPtr(o).swap(*this);
        return *this;
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        ComPtr(std::move(o)).swap(*this);
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Releases the reference; returns what Release returned (0 when none held).
    ULONG reset() {
        T* p = std::exchange(p_, nullptr);
        return p ? p->Release() : 0;
    }
    // For out-parameters: releases what is held and gives the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void swap(ComPtr& o) noexcept { std::swap(p_, o.p_); }

    // Another interface of the same object; empty when it has none.
    template <class U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> u;
        if (p_)
            p_->QueryInterface(iid, u.put_void());
        return u;
    }

  private:
    T* p_ = nullptr;
};

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
