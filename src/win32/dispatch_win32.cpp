#include "win32/dispatch_win32.h"

#include <vector>

namespace tavimo::win32 {

namespace {

std::optional<DISPID> MemberId(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return std::nullopt;
    return id;
}

std::optional<Variant> Invoke(IDispatch* object, const wchar_t* name, WORD flags,
                              std::span<const Variant> args, bool put) {
    if (!object || !name)
        return std::nullopt;
    try {
        std::optional<DISPID> id = MemberId(object, name);
        if (!id)
            return std::nullopt;
        // IDispatch takes its arguments last first; it only reads them.
        std::vector<VARIANT> reversed;
        reversed.reserve(args.size());
        for (size_t i = args.size(); i-- > 0;)
            reversed.push_back(args[i].get());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{};
        params.rgvarg = reversed.empty() ? nullptr : reversed.data();
        params.cArgs = static_cast<UINT>(reversed.size());
        if (put) {
            params.rgdispidNamedArgs = &named;
            params.cNamedArgs = 1;
        }
        Variant result;
        EXCEPINFO error{};
        UINT badArg = 0;
        HRESULT hr = object->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                    put ? nullptr : result.put(), &error, &badArg);
        ::SysFreeString(error.bstrSource);
        ::SysFreeString(error.bstrDescription);
        ::SysFreeString(error.bstrHelpFile);
        if (FAILED(hr))
            return std::nullopt;
        return result;
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace

ComPtr<IDispatch> CreateByProgId(const wchar_t* progId) {
    CLSID clsid;
    if (!progId || FAILED(::CLSIDFromProgID(progId, &clsid)))
        return {};
    ComPtr<IDispatch> object;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  IID_IDispatch, reinterpret_cast<void**>(object.put()))))
        return {};
    return object;
}

std::optional<Variant> GetProperty(IDispatch* object, const wchar_t* name,
                                   std::span<const Variant> args) {
    return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, false);
}

bool PutProperty(IDispatch* object, const wchar_t* name, const Variant& value) {
    return Invoke(object, name, DISPATCH_PROPERTYPUT, std::span<const Variant>(&value, 1), true)
        .has_value();
}

std::optional<Variant> CallMethod(IDispatch* object, const wchar_t* name,
                                  std::span<const Variant> args) {
    return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, false);
}

ComPtr<IDispatch> AsDispatch(const std::optional<Variant>& v) {
    if (!v)
        return {};
    const VARIANT& raw = v->get();
    if (raw.vt == VT_DISPATCH)
        return ComPtr<IDispatch>::Retain(raw.pdispVal);
    if (raw.vt == VT_UNKNOWN && raw.punkVal) {
        ComPtr<IDispatch> d;
        if (SUCCEEDED(
                raw.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(d.put()))))
            return d;
    }
    return {};
}

}  // namespace tavimo::win32
