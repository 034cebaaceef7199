// RTF through the rich-edit control's own reader.
#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace tavimo::loading {

// The plain text of the RTF, line breaks as CR LF; nullopt when the control
// cannot be created or does not accept the data.
std::optional<Text> ReadRtfWithRichEdit(std::string_view rtf);

}  // namespace tavimo::loading
