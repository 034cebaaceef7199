#include "text/regex_component.h"

#include <mutex>
#include <utility>

#include "text/regex_engine.h"

namespace tavimo {

namespace {

std::mutex& DefaultMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<RegexComponent>& DefaultSlot() {
    static std::shared_ptr<RegexComponent> slot;
    return slot;
}

}  // namespace

std::shared_ptr<RegexComponent> DefaultRegexComponent() {
    std::lock_guard lock(DefaultMutex());
    if (!DefaultSlot())
        DefaultSlot() = StandInRegexComponent();
    return DefaultSlot();
}

void InstallDefaultRegexComponent(std::shared_ptr<RegexComponent> component) {
    std::lock_guard lock(DefaultMutex());
    DefaultSlot() = std::move(component);
}

}  // namespace tavimo
