#pragma once

#include <vector>

#include "web/external_browser.h"

namespace tavimo::testing {

class RecordingLauncher : public AddressLauncher {
  public:
    bool Launch(const Text& address) override {
        launched.push_back(address);
        return true;
    }
    std::vector<Text> launched;
};

// What the program's browser fallback was asked to open in this process.
RecordingLauncher& LaunchedAddresses();

}  // namespace tavimo::testing
