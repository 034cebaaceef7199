// The office suite's automation, reached by member name through a small seam
// (the shell adapts IDispatch to it; tests record the calls).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "text/text.h"

namespace tavimo::loading {

using AutoArg = std::variant<bool, int32_t, std::u16string>;

class AutoObject;
using AutoRef = std::shared_ptr<AutoObject>;

// What a read or a call brought back. A failed one has neither part.
struct AutoValue {
    AutoRef object;
    std::optional<int32_t> number;  // integers and booleans (true is -1)
};

// Every failure has no effect and yields an empty value; nothing throws.
class AutoObject {
  public:
    virtual ~AutoObject() = default;
    // Reading a member that is a method calls it.
    virtual AutoValue Get(std::string_view name) = 0;
    virtual bool Put(std::string_view name, const AutoArg& value) = 0;
    virtual AutoValue Call(std::string_view name, const std::vector<AutoArg>& args) = 0;
};

class AutoFactory {
  public:
    struct Created {
        AutoRef app;
        // The object is an instance that was already running before this
        // call (the user's own, or another program's).
        bool attached = false;
    };
    virtual ~AutoFactory() = default;
    virtual Created Create(std::u16string_view progId) = 0;
};

// Suites that offer the same object model, in the order they are tried.
inline constexpr std::u16string_view kSuiteProgIds[] = {u"Word.Application", u"KWPS.Application",
                                                        u"WPS.Application"};

// msoAutomationSecurityForceDisable: macros of an opened document never run.
inline constexpr int32_t kForceDisableMacros = 3;

// A copy of the user's clipboard, to put back once the document's text has
// been read.
class SavedClipboard {
  public:
    virtual ~SavedClipboard() = default;
    virtual bool Restore() = 0;
    // The clipboard's sequence number when the copy was taken.
    virtual uint32_t Sequence() const = 0;
};

class LoaderClipboard {
  public:
    virtual ~LoaderClipboard() = default;
    // nullptr when the clipboard cannot be saved: then it must not be replaced.
    virtual std::unique_ptr<SavedClipboard> Save() = 0;
    // The plain text; empty when it cannot be opened or holds none.
    virtual Text ReadText() = 0;
    virtual uint32_t Sequence() = 0;
    virtual bool HoldsAnything() = 0;
};

struct AutomationOutcome {
    enum class Kind {
        NoSuite,        // no suite could be created
        Failed,         // nothing usable was copied; the clipboard is back as it was
        Text,           // the document's plain text; the clipboard is back as it was
        ClipboardOnly,  // copied, but with no plain-text form: paste it, then restore
    };
    Kind kind = Kind::NoSuite;
    Text text;
    std::unique_ptr<SavedClipboard> restoreAfterPaste;  // with ClipboardOnly
};

// Opens the file read-only in the first suite that can be created, with
// macros disabled and alerts off, copies its whole content, closes it without
// saving, and quits the suite unless it was an instance already running.
AutomationOutcome CopyDocumentThroughSuite(AutoFactory& factory, LoaderClipboard& clipboard,
                                           const std::u16string& path);

}  // namespace tavimo::loading
