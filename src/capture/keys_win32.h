// The keyboard side of a capture: the Ctrl+C and the modifiers the user holds.
#pragma once

#include "capture/capture_worker.h"

namespace tavimo::capture {

// Ctrl down, C down, Ctrl up, C up: Ctrl is released before the letter.
class KeybdEventSender : public KeySender {
  public:
    void PressCtrlC() override;
};

class AsyncModifierProbe : public ModifierProbe {
  public:
    bool ModifiersHeld() override;
};

}  // namespace tavimo::capture
