// The hover tracker's rule, run on every tick of 时钟1: over the window
// (edges included) capture is disarmed and, with 自动置顶 on, the window is
// raised; outside it capture is armed again while 划屏取词 is on.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/globals.h"

namespace tavimo::capture {

// Inclusive on all four sides: GetWindowRect's right column and bottom row,
// which lie just past the window, count as inside.
bool CursorOverWindow(PointI cursor, const RectD& window);

// One tick; true when the window should be raised.
bool TrackHoverTick(PointI cursor, const RectD& window, bool raiseOnHoverChecked,
                    bool captureChecked, std::atomic<int32_t>& captureArmed);

// 选择框3 clicked: armed exactly when it is now checked.
void CaptureBoxClicked(bool captureChecked, std::atomic<int32_t>& captureArmed);

}  // namespace tavimo::capture
