// Owners for COM interface pointers, BSTRs and VARIANTs, and the thread's COM
// initialisation.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string_view>
#include <utility>

namespace tavimo::win32 {

// Holds one reference to a COM interface.
template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* p) : p_(p) {}
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        swap(o);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* p) { return ComPtr(p); }
    // Takes a new reference to p.
    static ComPtr Retain(T* p) {
        if (p)
            p->AddRef();
        return ComPtr(p);
    }
    static ComPtr Share(T* p) { return Retain(p); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    T* release() { return std::exchange(p_, nullptr); }
    // Releases the reference; returns what Release returned (0 when none held).
    ULONG reset() {
        T* p = std::exchange(p_, nullptr);
        return p ? p->Release() : 0;
    }
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

class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::wstring_view s)
        : b_(::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
    Bstr& operator=(Bstr&& o) noexcept {
        std::swap(b_, o.b_);
        return *this;
    }
    ~Bstr() { ::SysFreeString(b_); }

    BSTR get() const { return b_; }
    BSTR release() { return std::exchange(b_, nullptr); }
    std::wstring_view view() const { return {b_ ? b_ : L"", ::SysStringLen(b_)}; }

  private:
    BSTR b_ = nullptr;
};

class Variant {
  public:
    Variant() { ::VariantInit(&v_); }
    Variant(const Variant& o) : Variant() { ::VariantCopy(&v_, const_cast<VARIANT*>(&o.v_)); }
    Variant(Variant&& o) noexcept : v_(o.v_) { ::VariantInit(&o.v_); }
    Variant& operator=(Variant o) noexcept {
        std::swap(v_, o.v_);
        return *this;
    }
    ~Variant() { ::VariantClear(&v_); }

    static Variant FromBool(bool b) {
        Variant v;
        v.v_.vt = VT_BOOL;
        v.v_.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    static Variant FromLong(LONG n) {
        Variant v;
        v.v_.vt = VT_I4;
        v.v_.lVal = n;
        return v;
    }
    static Variant FromDouble(double d) {
        Variant v;
        v.v_.vt = VT_R8;
        v.v_.dblVal = d;
        return v;
    }
    static Variant FromString(std::wstring_view s) {
        Variant v;
        Bstr b(s);
        if (b.get()) {
            v.v_.vt = VT_BSTR;
            v.v_.bstrVal = b.release();
        }
        return v;
    }
    // Takes a new reference to the object.
    static Variant FromDispatch(IDispatch* d) {
        Variant v;
        if (d) {
            d->AddRef();
            v.v_.vt = VT_DISPATCH;
            v.v_.pdispVal = d;
        }
        return v;
    }

    const VARIANT& get() const { return v_; }
    VARIANT* put() {
        ::VariantClear(&v_);
        return &v_;
    }
    VARTYPE type() const { return v_.vt; }

  private:
    VARIANT v_;
};

// CoInitialize for the life of the object; CoUninitialize only when that
// initialisation succeeded, so a thread already in another apartment is left
// as it was.
class ComInit {
  public:
    ComInit() : hr_(::CoInitialize(nullptr)) {}
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    ~ComInit() {
        if (SUCCEEDED(hr_))
            ::CoUninitialize();
    }
    HRESULT result() const { return hr_; }

  private:
    HRESULT hr_;
};

}  // namespace tavimo::win32
