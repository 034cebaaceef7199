// Minimal late-bound automation: create by ProgID, and get, put or call a
// member by name. Every failure yields an empty result; nothing throws.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "loading/automation.h"
#include "win32/com_win32.h"

namespace tavimo::loading {

using win32::ComPtr;

// A VARIANT cleared on destruction.
class Variant {
  public:
    Variant() { ::VariantInit(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&v_); }
    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

  private:
    VARIANT v_;
};

using win32::Bstr;

// Reads a property, or calls a method that a read names; false on failure.
bool GetByName(IDispatch* object, const wchar_t* name, Variant& result);
bool PutByName(IDispatch* object, const wchar_t* name, const VARIANT& value);
// args in their natural order.
bool CallByName(IDispatch* object, const wchar_t* name, const std::vector<VARIANT>& args,
                Variant& result);

// The seam over a live IDispatch.
class DispatchObject : public AutoObject {
  public:
    explicit DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    AutoValue Get(std::string_view name) override;
    bool Put(std::string_view name, const AutoArg& value) override;
    AutoValue Call(std::string_view name, const std::vector<AutoArg>& args) override;

  private:
    ComPtr<IDispatch> object_;
};

// Creates suites through COM. Tests pass a creator of their own; the default
// goes through the registry's ProgID.
class DispatchFactory : public AutoFactory {
  public:
    struct Instance {
        ComPtr<IDispatch> object;
        bool attached = false;
    };
    using Creator = std::function<Instance(const std::wstring& progId)>;

    DispatchFactory() : create_(CreateRegistered) {}
    explicit DispatchFactory(Creator create) : create_(std::move(create)) {}
    Created Create(std::u16string_view progId) override;

    // CoCreateInstance, with attached set when the object it gave is the one
    // already registered as running.
    static Instance CreateRegistered(const std::wstring& progId);

  private:
    Creator create_;
};

}  // namespace tavimo::loading
