// A scripted office suite for the automation sequence: each object logs what
// it is asked, as "object.Member" with the arguments, and answers from a table.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "loading/automation.h"
#include "text/codepage.h"

namespace tavimo::loading::testing {

inline std::string ArgText(const AutoArg& a) {
    if (auto* b = std::get_if<bool>(&a))
        return *b ? "true" : "false";
    if (auto* n = std::get_if<int32_t>(&a))
        return std::to_string(*n);
    return "'" + Utf16ToUtf8(std::get<std::u16string>(a)) + "'";
}

class FakeObject : public AutoObject {
  public:
    FakeObject(std::string name, std::vector<std::string>& log)
        : name_(std::move(name)), log_(log) {}

    AutoValue Get(std::string_view member) override {
        log_.push_back(name_ + "." + std::string(member));
        return Answer(member);
    }
    bool Put(std::string_view member, const AutoArg& value) override {
        log_.push_back(name_ + "." + std::string(member) + "=" + ArgText(value));
        return true;
    }
    AutoValue Call(std::string_view member, const std::vector<AutoArg>& args) override {
        std::string entry = name_ + "." + std::string(member) + "(";
        for (size_t i = 0; i < args.size(); ++i)
            entry += (i ? "," : "") + ArgText(args[i]);
        log_.push_back(entry + ")");
        return Answer(member);
    }

    // What a member gives back; members without an answer fail.
    std::map<std::string, std::function<AutoValue()>, std::less<>> answers;

  private:
    AutoValue Answer(std::string_view member) {
        auto it = answers.find(member);
        return it == answers.end() ? AutoValue{} : it->second();
    }
    std::string name_;
    std::vector<std::string>& log_;
};

// The clipboard as a text and a sequence number.
class FakeClipboard : public LoaderClipboard {
  public:
    class Saved : public SavedClipboard {
      public:
        Saved(FakeClipboard& c) : c_(c), text_(c.text), seq_(c.sequence) {}
        bool Restore() override {
            c_.log.push_back("clipboard.Restore");
            c_.text = text_;
            c_.other = false;
            ++c_.sequence;
            return true;
        }
        uint32_t Sequence() const override { return seq_; }

      private:
        FakeClipboard& c_;
        Text text_;
        uint32_t seq_;
    };

    explicit FakeClipboard(std::vector<std::string>& l) : log(l) {}
    std::unique_ptr<SavedClipboard> Save() override {
        log.push_back("clipboard.Save");
        if (!canSave)
            return nullptr;
        return std::make_unique<Saved>(*this);
    }
    Text ReadText() override { return text; }
    uint32_t Sequence() override { return sequence; }
    bool HoldsAnything() override { return !text.empty() || other; }

    void Put(Text t, bool otherFormat = false) {
        text = std::move(t);
        other = otherFormat;
        ++sequence;
    }

    std::vector<std::string>& log;
    Text text;
    bool other = false;
    uint32_t sequence = 1;
    bool canSave = true;
};

// Word.Application with its documents, one document and its content range,
// wired the way a working suite answers.
struct FakeSuite {
    explicit FakeSuite(std::vector<std::string>& l) : log(l), clipboard(l) {
        app = std::make_shared<FakeObject>("app", log);
        documents = std::make_shared<FakeObject>("documents", log);
        document = std::make_shared<FakeObject>("document", log);
        range = std::make_shared<FakeObject>("range", log);
        app->answers["Documents"] = [this] { return AutoValue{documents, {}}; };
        app->answers["Visible"] = [] { return AutoValue{nullptr, 0}; };
        app->answers["AutomationSecurity"] = [] { return AutoValue{nullptr, 1}; };
        app->answers["DisplayAlerts"] = [] { return AutoValue{nullptr, -1}; };
        app->answers["Quit"] = [] { return AutoValue{nullptr, 0}; };
        documents->answers["Count"] = [this] { return AutoValue{nullptr, openCount}; };
        documents->answers["Open"] = [this] { return AutoValue{document, {}}; };
        document->answers["Content"] = [this] { return AutoValue{range, {}}; };
        document->answers["Close"] = [] { return AutoValue{nullptr, 0}; };
        range->answers["Copy"] = [this] {
            clipboard.Put(copyGives, copyOther);
            return AutoValue{nullptr, 0};
        };
    }

    std::vector<std::string>& log;
    FakeClipboard clipboard;
    std::shared_ptr<FakeObject> app, documents, document, range;
    int32_t openCount = 0;
    Text copyGives = FromUtf8("文档内容");
    bool copyOther = false;
};

}  // namespace tavimo::loading::testing
