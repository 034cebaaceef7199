// The system's regular-expression class: one Create compiles a pattern with
// its options and runs it over one subject; the queries read the result. It
// talks to the component only through RegexComponent, by member name.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "text/regex_component.h"
#include "text/text.h"

namespace tavimo {

class RegexObject {
  public:
    // Enters the component's thread state (COM on Windows) once per object.
    explicit RegexObject(std::shared_ptr<RegexComponent> component = DefaultRegexComponent());
    // Shares the expression and the match collection; enters the thread state
    // once more, so every object's destruction leaves it once.
    RegexObject(const RegexObject& other);
    RegexObject& operator=(const RegexObject&) = delete;
    virtual ~RegexObject();

    // Flags left empty take their defaults: case ignored, multi-line, global,
    // no "#引号" rewrite. True when the match collection exists (even empty).
    virtual bool Create(const Text& pattern, const Text& subject,
                        std::optional<bool> caseSensitive = std::nullopt,
                        std::optional<bool> multiLine = std::nullopt,
                        std::optional<bool> global = std::nullopt,
                        std::optional<bool> quoteMarker = std::nullopt);
    virtual void NoOp() {}
    virtual Text GetPattern() const;
    // The stored subject with the matches replaced; empty when that fails.
    virtual Text ReplaceMatches(const Text& replacement) const;
    virtual int32_t MatchCount() const;
    // Match n from 1. position receives the match's zero-based byte offset in
    // the subject, or -1 for a number outside the collection.
    virtual Text MatchText(int32_t n, int32_t* position = nullptr) const;
    // Sub-match k from 1 of match n; position as for MatchText, of the match.
    virtual Text SubMatchText(int32_t n, int32_t k, int32_t* position = nullptr) const;
    virtual int32_t SubMatchCount() const;

    // ReplaceMatches that tells a failed replacement from an empty result.
    std::optional<Text> TryReplaceMatches(const Text& replacement) const;

  private:
    RegexRef MatchAt(int32_t n) const;
    int32_t ByteOffsetOf(const RegexRef& match) const;

    std::shared_ptr<RegexComponent> component_;
    RegexRef expression_;
    RegexRef matches_;
    RegexValue subject_ = 0.0;  // the integer 0 until the first Create
};

}  // namespace tavimo
