// Every boundary with the system converts with code page 936 explicitly, so
// the program behaves the same whatever the machine's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace tavimo::win32 {

constexpr unsigned kTextCodePage = 936;

std::wstring ToWide(const Text& text);
std::wstring ToWide(std::string_view cp936);
Text FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace tavimo::win32
