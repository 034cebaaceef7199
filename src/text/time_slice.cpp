#include "text/time_slice.h"

#include <atomic>

namespace tavimo {

namespace {
thread_local DispatcherSlot tDispatcher;
std::atomic<int64_t> gSliceMicros{4000};
}  // namespace

std::chrono::microseconds SetTimeSliceLength(std::chrono::microseconds length) {
    return std::chrono::microseconds(gSliceMicros.exchange(length.count()));
}

std::chrono::microseconds TimeSliceLength() {
    return std::chrono::microseconds(gSliceMicros.load());
}

DispatcherSlot SetPendingEventsDispatcher(DispatcherSlot slot) {
    DispatcherSlot previous = tDispatcher;
    tDispatcher = slot;
    return previous;
}

void DispatchPendingEvents() {
    if (tDispatcher.fn)
        tDispatcher.fn(tDispatcher.context);
}

}  // namespace tavimo
