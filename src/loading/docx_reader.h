// The text of a word-processing document in the Office Open XML format.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace tavimo::loading {

// The main part may expand to at most this many bytes; larger archives are refused.
constexpr size_t kDocxPartCapBytes = 32u << 20;

// Paragraphs end with CR LF; the cells of a table row are separated by a tab
// and the row ends with CR LF. nullopt when the archive or its main part
// cannot be read.
std::optional<Text> ReadDocx(std::string_view archive, size_t capBytes = kDocxPartCapBytes);

// The same for word/document.xml itself, as UTF-8.
std::string DocumentXmlText(std::string_view xml);

}  // namespace tavimo::loading
