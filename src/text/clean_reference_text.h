// Tidies the reference text before a search: one line break off each end,
// and every run of blank lines collapsed into one line break.
#pragma once

#include <memory>

#include "text/regex_component.h"
#include "text/text.h"

namespace tavimo {

// Safe on any thread: the regular-expression object lives within the call.
// When the regular-expression work fails, the text comes back with only its
// edge line breaks removed, never empty.
Text CleanReferenceText(const Text& text);
Text CleanReferenceText(const Text& text, std::shared_ptr<RegexComponent> component);

}  // namespace tavimo
