// A FakeObject served through IDispatch, so the sequence runs over the real
// late-bound calls: names, invoke flags, argument order and VARIANT types.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "loading/fake_suite.h"

namespace tavimo::loading::testing {

class FakeDispatch final : public IDispatch {
  public:
    static inline std::atomic<int> live{0};

    explicit FakeDispatch(std::shared_ptr<FakeObject> object) : object_(std::move(object)) {
        ++live;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) {
            std::wstring w(names[i]);
            names_.emplace_back(w.begin(), w.end());
            ids[i] = static_cast<DISPID>(names_.size());
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id < 1 || static_cast<size_t>(id) > names_.size())
            return DISP_E_MEMBERNOTFOUND;
        const std::string& name = names_[static_cast<size_t>(id - 1)];
        std::vector<AutoArg> args;
        for (UINT i = params->cArgs; i-- > 0;) {
            const VARIANT& v = params->rgvarg[i];
            if (v.vt == VT_BOOL && (v.boolVal == VARIANT_TRUE || v.boolVal == VARIANT_FALSE)) {
                args.emplace_back(v.boolVal == VARIANT_TRUE);
            } else if (v.vt == VT_I4) {
                args.emplace_back(static_cast<int32_t>(v.lVal));
            } else if (v.vt == VT_BSTR) {
                std::wstring w(v.bstrVal, ::SysStringLen(v.bstrVal));
                args.emplace_back(std::u16string(w.begin(), w.end()));
            } else {
                args.emplace_back(std::u16string(u"<unexpected VARIANT>"));
            }
        }
        AutoValue value;
        if (flags & DISPATCH_PROPERTYPUT) {
            if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT ||
                args.size() != 1) {
                return DISP_E_PARAMNOTFOUND;
            }
            return object_->Put(name, args[0]) ? S_OK : E_FAIL;
        }
        if ((flags & DISPATCH_PROPERTYGET) && args.empty()) {
            value = object_->Get(name);
        } else if (flags & DISPATCH_METHOD) {
            value = object_->Call(name, args);
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (!value.object && !value.number)
            return DISP_E_EXCEPTION;
        if (result) {
            ::VariantInit(result);
            if (auto fake = std::dynamic_pointer_cast<FakeObject>(value.object)) {
                result->vt = VT_DISPATCH;
                result->pdispVal = new FakeDispatch(std::move(fake));
            } else {
                result->vt = VT_I4;
                result->lVal = value.number.value_or(0);
            }
        }
        return S_OK;
    }

  private:
    ~FakeDispatch() { --live; }
    std::atomic<ULONG> refs_{1};
    std::shared_ptr<FakeObject> object_;
    std::vector<std::string> names_;
};

}  // namespace tavimo::loading::testing
