#include "web/external_browser.h"

namespace tavimo {

void ExternalBrowser::Navigate(const Text& address) {
    if (opened_ && address == last_)
        return;
    // A launch that failed is not remembered, so the next click tries again.
    if (!launcher_.Launch(address))
        return;
    last_ = address;
    opened_ = true;
}

}  // namespace tavimo
