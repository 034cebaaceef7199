// Portable conversions between code page 936 (the bytes of a Text), UTF-16
// and UTF-8, agreeing with Windows' own code page 936 table. The Win32 shell
// converts at its boundaries with the system calls; the core needs these for
// its literals, document readers and web addresses.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace tavimo {

// Unmappable or malformed input becomes '?' in code page 936 and U+FFFD in
// Unicode, as the system converters do by default.
std::u16string Cp936ToUtf16(std::string_view bytes);
std::string Utf16ToCp936(std::u16string_view units);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view units);

// The program's literals are UTF-8 in the source; this makes them a Text.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(const Text& text);

}  // namespace tavimo
