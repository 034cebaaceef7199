#include "text/time_slice.h"

namespace tavimo {

namespace {
thread_local DispatcherSlot tDispatcher;
}

DispatcherSlot SetPendingEventsDispatcher(DispatcherSlot slot) {
    DispatcherSlot previous = tDispatcher;
    tDispatcher = slot;
    return previous;
}

void DispatchPendingEvents() {
    if (tDispatcher.fn) tDispatcher.fn(tDispatcher.context);
}

}  // namespace tavimo
