// The system regular-expression component, "VBScript.RegExp", reached by
// member name through IDispatch.
#pragma once

#include <memory>

#include "text/regex_component.h"

namespace tavimo::win32 {

// Enters COM for each RegexObject's thread. Where "VBScript.RegExp" (or the
// given ProgID) cannot be created, as VBScript is an optional feature, the
// portable engine stands in, unless fallBack is false: then the expression
// is empty.
std::shared_ptr<RegexComponent> SystemRegexComponent(bool fallBack = true,
                                                     const wchar_t* progId = L"VBScript.RegExp");

// Makes SystemRegexComponent() the default of every later RegexObject; the
// program's start-up calls it once.
void UseSystemRegexComponent();

}  // namespace tavimo::win32
