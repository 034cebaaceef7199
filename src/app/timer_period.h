// The rule for writing a timer's period: a negative value counts as 0, writing
// the period it already has does nothing, otherwise the timer is stopped and,
// for a period above 0, started again with it.
#pragma once

#include <cstdint>

namespace tavimo {

struct TimerChange {
    bool stop = false;   // stop the running timer
    bool start = false;  // then start it with period
    int32_t period = 0;  // the period the timer has afterwards
};

TimerChange PlanTimerPeriod(int32_t current, int32_t requested);

}  // namespace tavimo
