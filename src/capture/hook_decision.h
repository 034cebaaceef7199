// What the low-level mouse hook does with one event: a left press remembers
// where it happened, a left release elsewhere is a drag, and a drag starts a
// capture only with 划屏取词 on and capture armed.
#pragma once

#include <cstdint>

#include "app/globals.h"

namespace tavimo::capture {

enum class MouseEvent { LeftDown, LeftUp, Other };

// Updates the anchor on a press; true when the event should start a capture.
bool DecideMouseEvent(MouseEvent event, PointI cursor, PointI& anchor, bool captureChecked,
                      int32_t captureArmed);

}  // namespace tavimo::capture
