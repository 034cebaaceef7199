#include "text/clean_reference_text.h"

#include <utility>

#include "text/regex_object.h"

namespace tavimo {

Text CleanReferenceText(const Text& text) {
    return CleanReferenceText(text, DefaultRegexComponent());
}

Text CleanReferenceText(const Text& text, std::shared_ptr<RegexComponent> component) {
    const Text crlf("\r\n");
    Text t = text;
    if (Compare(Left(t, 2), crlf) == 0)
        t = Right(t, Length(t) - 2);
    if (Compare(Right(t, 2), crlf) == 0)
        t = Left(t, Length(t) - 2);

    // A LF, any white space, then a CR: a line break and the blank lines after it.
    RegexObject regex(std::move(component));
    if (!regex.Create(Text("\\n\\s*\\r"), t))
        return t;
    return regex.TryReplaceMatches(Text()).value_or(t);
}

}  // namespace tavimo
