#include "app/timer_period.h"

namespace tavimo {

TimerChange PlanTimerPeriod(int32_t current, int32_t requested) {
    const int32_t period = requested < 0 ? 0 : requested;
    if (period == current)
        return {false, false, current};
    return {current > 0, period > 0, period};
}

}  // namespace tavimo
