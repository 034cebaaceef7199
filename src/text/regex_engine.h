// The portable stand-in for the system regular-expression component: the same
// members and results (ECMAScript-style patterns with IgnoreCase, Multiline and
// Global; replacement strings with $1..$99, $&, $`, $' and $$), built on
// Boost.Regex, which matches without recursion.
#pragma once

#include <memory>

#include "text/regex_component.h"

namespace tavimo {

std::shared_ptr<RegexComponent> StandInRegexComponent();

}  // namespace tavimo
