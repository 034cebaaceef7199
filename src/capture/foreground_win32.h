// Whether the keys of a capture would land in a console or terminal window.
#pragma once

#include "capture/capture_worker.h"

namespace tavimo::capture {

class ForegroundWindowProbe : public ForegroundProbe {
  public:
    bool ForegroundIsTerminal() override;
};

}  // namespace tavimo::capture
