// A regular-expression component that records what is written to its
// expressions and can be told to fail, for testing RegexObject and cleaning.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/regex_component.h"
#include "text/regex_engine.h"

namespace tavimo::testing {

struct RegexLog {
    std::vector<std::string> calls;  // "Put IgnoreCase=1", "Call Execute", ...
    std::u16string pattern;
    int entered = 0;
    int left = 0;
};

// Wraps the stand-in expression, logging each call; with failAll every call fails.
class RecordingExpression : public RegexAutomationObject {
  public:
    RecordingExpression(RegexRef inner, std::shared_ptr<RegexLog> log, bool failAll)
        : inner_(std::move(inner)), log_(std::move(log)), failAll_(failAll) {}
    bool Put(std::string_view member, const RegexValue& value) override {
        std::string entry = "Put " + std::string(member);
        if (const bool* b = std::get_if<bool>(&value))
            entry += *b ? "=1" : "=0";
        if (const auto* s = std::get_if<std::u16string>(&value))
            log_->pattern = *s;
        log_->calls.push_back(entry);
        return !failAll_ && inner_->Put(member, value);
    }
    std::optional<RegexValue> Get(std::string_view member,
                                  std::span<const RegexValue> args) override {
        log_->calls.push_back("Get " + std::string(member));
        if (failAll_)
            return std::nullopt;
        return inner_->Get(member, args);
    }
    std::optional<RegexValue> Call(std::string_view member,
                                   std::span<const RegexValue> args) override {
        log_->calls.push_back("Call " + std::string(member));
        if (failAll_)
            return std::nullopt;
        return inner_->Call(member, args);
    }

  private:
    RegexRef inner_;
    std::shared_ptr<RegexLog> log_;
    bool failAll_;
};

enum class FakeMode { kWorking, kCannotCreate, kEveryCallFails };

class FakeRegexComponent : public RegexComponent {
  public:
    explicit FakeRegexComponent(FakeMode mode = FakeMode::kWorking) : mode_(mode) {}
    RegexRef CreateExpression() override {
        log->calls.push_back("Create");
        if (mode_ == FakeMode::kCannotCreate)
            return nullptr;
        return std::make_shared<RecordingExpression>(engine_->CreateExpression(), log,
                                                     mode_ == FakeMode::kEveryCallFails);
    }
    void EnterThread() override { ++log->entered; }
    void LeaveThread() override { ++log->left; }

    std::shared_ptr<RegexLog> log = std::make_shared<RegexLog>();

  private:
    FakeMode mode_;
    std::shared_ptr<RegexComponent> engine_ = StandInRegexComponent();
};

}  // namespace tavimo::testing
