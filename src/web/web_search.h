// The browser tab's web search.
#pragma once

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

// Acts only when tab 2 is current: navigates to the result page for the term.
void ShowWebSearch(AppView& view, Browser& browser);

}  // namespace tavimo
