#include "capture/hook_decision.h"

namespace tavimo::capture {

bool DecideMouseEvent(MouseEvent event, PointI cursor, PointI& anchor, bool captureChecked,
                      int32_t captureArmed) {
    switch (event) {
        case MouseEvent::LeftDown:
            anchor = cursor;
            return false;
        case MouseEvent::LeftUp: {
            bool drag = cursor.x != anchor.x || cursor.y != anchor.y;
            return drag && captureChecked && captureArmed == 1;
        }
        case MouseEvent::Other:
            return false;
    }
    return false;
}

}  // namespace tavimo::capture
