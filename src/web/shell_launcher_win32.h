// Opens addresses in the user's default browser.
#pragma once

#include "web/external_browser.h"

namespace tavimo::win32 {

class ShellLauncher : public AddressLauncher {
  public:
    bool Launch(const Text& address) override;
};

}  // namespace tavimo::win32
