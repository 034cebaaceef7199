#include "text/regex_component_win32.h"

#include <string>
#include <vector>

#include "text/regex_engine.h"
#include "win32/dispatch_win32.h"

namespace tavimo::win32 {

namespace {

std::wstring WideName(std::string_view member) {
    return std::wstring(member.begin(), member.end());
}

Variant ToVariant(const RegexValue& value);

class DispatchObject : public RegexAutomationObject {
  public:
    explicit DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    IDispatch* get() const { return object_.get(); }

    bool Put(std::string_view member, const RegexValue& value) override {
        return PutProperty(object_.get(), WideName(member).c_str(), ToVariant(value));
    }
    std::optional<RegexValue> Get(std::string_view member,
                                  std::span<const RegexValue> args) override {
        std::vector<Variant> in = Convert(args);
        return FromVariant(GetProperty(object_.get(), WideName(member).c_str(), in));
    }
    std::optional<RegexValue> Call(std::string_view member,
                                   std::span<const RegexValue> args) override {
        std::vector<Variant> in = Convert(args);
        return FromVariant(CallMethod(object_.get(), WideName(member).c_str(), in));
    }

  private:
    static std::vector<Variant> Convert(std::span<const RegexValue> args) {
        std::vector<Variant> out;
        out.reserve(args.size());
        for (const RegexValue& a : args)
            out.push_back(ToVariant(a));
        return out;
    }

    static std::optional<RegexValue> FromVariant(const std::optional<Variant>& v) {
        if (!v)
            return std::nullopt;
        const VARIANT& raw = v->get();
        switch (raw.vt) {
            case VT_EMPTY:
            case VT_NULL:
                return RegexValue();
            case VT_BOOL:
                return raw.boolVal != VARIANT_FALSE;
            case VT_BSTR: {
                std::u16string s(reinterpret_cast<const char16_t*>(raw.bstrVal ? raw.bstrVal : L""),
                                 ::SysStringLen(raw.bstrVal));
                return s;
            }
            case VT_DISPATCH:
            case VT_UNKNOWN: {
                ComPtr<IDispatch> d = AsDispatch(v);
                if (!d)
                    return RegexValue();
                return RegexRef(std::make_shared<DispatchObject>(std::move(d)));
            }
            default: {
                // Numbers, whatever their width, arrive as doubles.
                Variant number;
                if (FAILED(::VariantChangeType(number.put(), const_cast<VARIANT*>(&raw), 0, VT_R8)))
                    return RegexValue();
                return number.get().dblVal;
            }
        }
    }

    ComPtr<IDispatch> object_;
};

Variant ToVariant(const RegexValue& value) {
    if (const bool* b = std::get_if<bool>(&value))
        return Variant::FromBool(*b);
    if (const double* d = std::get_if<double>(&value)) {
        // Indices and counts go as integers, as automation callers pass them.
        if (*d == static_cast<double>(static_cast<LONG>(*d)))
            return Variant::FromLong(static_cast<LONG>(*d));
        return Variant::FromDouble(*d);
    }
    if (const auto* s = std::get_if<std::u16string>(&value))
        return Variant::FromString(
            std::wstring_view(reinterpret_cast<const wchar_t*>(s->data()), s->size()));
    if (const auto* r = std::get_if<RegexRef>(&value)) {
        if (auto* d = dynamic_cast<DispatchObject*>(r->get()))
            return Variant::FromDispatch(d->get());
    }
    return Variant();
}

class SystemComponent : public RegexComponent {
  public:
    SystemComponent(bool fallBack, std::wstring progId)
        : fallBack_(fallBack), progId_(std::move(progId)) {}

    RegexRef CreateExpression() override {
        ComPtr<IDispatch> object = CreateByProgId(progId_.c_str());
        if (object)
            return std::make_shared<DispatchObject>(std::move(object));
        return fallBack_ ? standIn_->CreateExpression() : nullptr;
    }

    // A thread already in the multi-threaded apartment refuses CoInitialize;
    // only a successful call is balanced by CoUninitialize.
    void EnterThread() override {
        if (FAILED(::CoInitialize(nullptr)))
            ++Refused();
    }
    void LeaveThread() override {
        if (Refused() > 0)
            --Refused();
        else
            ::CoUninitialize();
    }

  private:
    static int& Refused() {
        thread_local int refused = 0;
        return refused;
    }

    bool fallBack_;
    std::wstring progId_;
    std::shared_ptr<RegexComponent> standIn_ = StandInRegexComponent();
};

}  // namespace

std::shared_ptr<RegexComponent> SystemRegexComponent(bool fallBack, const wchar_t* progId) {
    return std::make_shared<SystemComponent>(fallBack, progId ? progId : L"");
}

void UseSystemRegexComponent() {
    InstallDefaultRegexComponent(SystemRegexComponent());
}

}  // namespace tavimo::win32
