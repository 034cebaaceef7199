// The seam between RegexObject and the regular-expression component: the
// component's automation objects (the expression, match collections, matches
// and sub-match collections), reached by member name as the system component
// is. Strings cross as UTF-16, numbers as doubles.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tavimo {

class RegexAutomationObject;
using RegexRef = std::shared_ptr<RegexAutomationObject>;

// An automation value: empty, boolean, number, string or object reference.
using RegexValue = std::variant<std::monostate, bool, double, std::u16string, RegexRef>;

class RegexAutomationObject {
  public:
    virtual ~RegexAutomationObject() = default;
    // Each returns nullopt (or false) when the call fails: no such member, bad
    // arguments, or the component signals an error. A failed call has no effect.
    virtual bool Put(std::string_view member, const RegexValue& value) = 0;
    virtual std::optional<RegexValue> Get(std::string_view member,
                                          std::span<const RegexValue> args = {}) = 0;
    virtual std::optional<RegexValue> Call(std::string_view member,
                                           std::span<const RegexValue> args) = 0;
};

class RegexComponent {
  public:
    virtual ~RegexComponent() = default;
    // A new expression object; empty when the component cannot be created.
    virtual RegexRef CreateExpression() = 0;
    // Bracket the life of a RegexObject on its thread (COM initialisation for
    // the system component; nothing for the portable engine).
    virtual void EnterThread() {}
    virtual void LeaveThread() {}
};

// The component a RegexObject uses when none is given: the portable engine,
// unless a platform has installed its own (the Windows start-up installs the
// system component). Both are safe to call on any thread.
std::shared_ptr<RegexComponent> DefaultRegexComponent();
void InstallDefaultRegexComponent(std::shared_ptr<RegexComponent> component);

// Value helpers shared by the object and the engines.
inline const std::u16string* AsString(const std::optional<RegexValue>& v) {
    return v ? std::get_if<std::u16string>(&*v) : nullptr;
}
inline RegexRef AsObject(const std::optional<RegexValue>& v) {
    const RegexRef* r = v ? std::get_if<RegexRef>(&*v) : nullptr;
    return r ? *r : nullptr;
}

}  // namespace tavimo
