#pragma once

#include "text/text.h"

namespace tavimo {

Text CleanReferenceText(const Text& text);

}  // namespace tavimo
