// The tab's stand-in when the embedded browser cannot be used: result pages
// open in the user's default browser instead.
#pragma once

#include "text/text.h"
#include "web/web_search.h"

namespace tavimo {

// Hands an address to whatever opens it outside the program.
class AddressLauncher {
  public:
    virtual ~AddressLauncher() = default;
    // True when the address was handed over.
    virtual bool Launch(const Text& address) = 0;
};

// Opens each address in the default browser, but never the same address twice
// in a row: a second click on the tab or a repeated capture of the same term
// must not pile up browser tabs. The history buttons have nothing to act on.
class ExternalBrowser : public Browser {
  public:
    explicit ExternalBrowser(AddressLauncher& launcher) : launcher_(launcher) {}

    void Navigate(const Text& address) override;
    void GoBack() override {}
    void GoForward() override {}
    void Refresh() override {}

  private:
    AddressLauncher& launcher_;
    Text last_;
    bool opened_ = false;
};

}  // namespace tavimo
