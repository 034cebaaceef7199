#include "loading/dispatch_calls_win32.h"

#include <oleauto.h>

#include <algorithm>

namespace tavimo::loading {

namespace {

// What Invoke may hand back beside the result, freed whatever happens.
struct ExceptionInfo {
    EXCEPINFO info{};
    ~ExceptionInfo() {
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
    }
};

bool Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> reversed,
            VARIANT* result) {
    if (!object)
        return false;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return false;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    DISPID named = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    ExceptionInfo exception;
    UINT badArg = 0;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                &exception.info, &badArg);
    return SUCCEEDED(hr);
}

std::wstring WideName(std::string_view name) {
    return std::wstring(name.begin(), name.end());
}

// The argument as a VARIANT that borrows its string from `keep`.
VARIANT ToVariant(const AutoArg& arg, std::vector<std::unique_ptr<Bstr>>& keep) {
    VARIANT v;
    ::VariantInit(&v);
    if (auto* b = std::get_if<bool>(&arg)) {
        v.vt = VT_BOOL;
        v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (auto* n = std::get_if<int32_t>(&arg)) {
        v.vt = VT_I4;
        v.lVal = *n;
    } else {
        const std::u16string& s = std::get<std::u16string>(arg);
        keep.push_back(std::make_unique<Bstr>(std::wstring(s.begin(), s.end())));
        v.vt = VT_BSTR;
        v.bstrVal = keep.back()->get();
    }
    return v;
}

AutoValue FromVariant(Variant& v) {
    AutoValue out;
    VARIANT& r = *v.get();
    if (r.vt == VT_DISPATCH && r.pdispVal) {
        r.pdispVal->AddRef();
        out.object = std::make_shared<DispatchObject>(ComPtr<IDispatch>(r.pdispVal));
    } else if (r.vt == VT_BOOL) {
        out.number = r.boolVal ? -1 : 0;
    } else if (r.vt != VT_EMPTY && r.vt != VT_NULL) {
        Variant number;
        if (SUCCEEDED(::VariantChangeType(number.get(), &r, 0, VT_I4)))
            out.number = number.get()->lVal;
    }
    return out;
}

}  // namespace

bool GetByName(IDispatch* object, const wchar_t* name, Variant& result) {
    return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, result.get());
}

bool PutByName(IDispatch* object, const wchar_t* name, const VARIANT& value) {
    return Invoke(object, name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

bool CallByName(IDispatch* object, const wchar_t* name, const std::vector<VARIANT>& args,
                Variant& result) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    return Invoke(object, name, DISPATCH_METHOD, std::move(reversed), result.get());
}

AutoValue DispatchObject::Get(std::string_view name) {
    Variant result;
    if (!GetByName(object_.get(), WideName(name).c_str(), result))
        return {};
    return FromVariant(result);
}

bool DispatchObject::Put(std::string_view name, const AutoArg& value) {
    std::vector<std::unique_ptr<Bstr>> keep;
    return PutByName(object_.get(), WideName(name).c_str(), ToVariant(value, keep));
}

AutoValue DispatchObject::Call(std::string_view name, const std::vector<AutoArg>& args) {
    std::vector<std::unique_ptr<Bstr>> keep;
    std::vector<VARIANT> variants;
    for (const AutoArg& a : args)
        variants.push_back(ToVariant(a, keep));
    Variant result;
    if (!CallByName(object_.get(), WideName(name).c_str(), variants, result))
        return {};
    return FromVariant(result);
}

AutoFactory::Created DispatchFactory::Create(std::u16string_view progId) {
    Instance instance = create_(std::wstring(progId.begin(), progId.end()));
    if (!instance.object)
        return {};
    return {std::make_shared<DispatchObject>(std::move(instance.object)), instance.attached};
}

DispatchFactory::Instance DispatchFactory::CreateRegistered(const std::wstring& progId) {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(progId.c_str(), &clsid)))
        return {};
    ComPtr<IUnknown> running;
    if (FAILED(::GetActiveObject(clsid, nullptr, running.put())))
        running.reset();
    Instance instance;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                  instance.object.put_void()))) {
        return {};
    }
    if (running) {
        // COM identity: the same IUnknown means the same object.
        ComPtr<IUnknown> created;
        if (SUCCEEDED(instance.object->QueryInterface(IID_IUnknown, created.put_void()))) {
            ComPtr<IUnknown> active;
            if (SUCCEEDED(running->QueryInterface(IID_IUnknown, active.put_void()))) {
                instance.attached = created.get() == active.get();
            }
        }
    }
    return instance;
}

}  // namespace tavimo::loading
