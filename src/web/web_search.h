// The browser tab's web search.
#pragma once

#include <string_view>

#include "app/app_view.h"
#include "text/text.h"

namespace tavimo {

// What the tab needs of the embedded browser; results are not examined.
class Browser {
  public:
    virtual ~Browser() = default;
    virtual void Navigate(const Text& address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
};

// Precedes the term in every result-page address.
inline constexpr std::string_view SearchPagePrefix = "https://www.baidu.com/s?wd=";

// The term as a query value: its UTF-8 bytes percent-encoded, all but the
// unreserved characters (letters, digits, "-", ".", "_", "~"), so "&", "#",
// "+", "%" and spaces reach the engine as part of the term.
Text EncodeQueryValue(const Text& term);

// SearchPagePrefix followed by the encoded term.
Text SearchAddress(const Text& term);

// Acts only when tab 2 is current: navigates to the result page for the term.
void ShowWebSearch(AppView& view, Browser& browser);

}  // namespace tavimo
