#include "capture/hover_tracker.h"

namespace tavimo::capture {

namespace {
constexpr double kTolerance = 1e-7;
}

bool CursorOverWindow(PointI cursor, const RectD& window) {
    double x = cursor.x, y = cursor.y;
    return x - window.left >= -kTolerance && x - window.right <= kTolerance &&
           y - window.top >= -kTolerance && y - window.bottom <= kTolerance;
}

bool TrackHoverTick(PointI cursor, const RectD& window, bool raiseOnHoverChecked,
                    bool captureChecked, std::atomic<int32_t>& captureArmed) {
    if (CursorOverWindow(cursor, window)) {
        captureArmed.store(0);
        return raiseOnHoverChecked;
    }
    if (captureChecked)
        captureArmed.store(1);
    return false;
}

void CaptureBoxClicked(bool captureChecked, std::atomic<int32_t>& captureArmed) {
    captureArmed.store(captureChecked ? 1 : 0);
}

}  // namespace tavimo::capture
