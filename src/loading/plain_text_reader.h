// Plain text files of any of the encodings people save answers in.
#pragma once

#include <string_view>

#include "text/text.h"

namespace tavimo::loading {

// UTF-8 with or without a byte-order mark, UTF-16 LE or BE with one, and
// otherwise code page 936. Every line break comes out as CR LF.
Text DecodePlainText(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

}  // namespace tavimo::loading
