// Long work on the user-interface thread lets pending window events run a few
// times per frame, never per byte. Each thread may install its own dispatcher
// (the user-interface thread installs ProcessPendingEvents); without one,
// yielding does nothing.
#pragma once

#include <chrono>
#include <cstdint>

namespace tavimo {

using PendingEventsDispatcher = void (*)(void* context);

// Installs the dispatcher for the calling thread; returns the previous one.
struct DispatcherSlot {
    PendingEventsDispatcher fn = nullptr;
    void* context = nullptr;
};
DispatcherSlot SetPendingEventsDispatcher(DispatcherSlot slot);

// Runs the calling thread's dispatcher now, if it has one.
void DispatchPendingEvents();

// How long work runs between two dispatches: 4 ms, a few times per frame.
// Tests shorten it to make every step dispatch. Returns the previous length.
std::chrono::microseconds SetTimeSliceLength(std::chrono::microseconds length);
std::chrono::microseconds TimeSliceLength();

// Calls DispatchPendingEvents when the slice has run out. Cheap enough to be
// called every few kilobytes of work.
class TimeSlice {
  public:
    TimeSlice() : next_(Clock::now() + TimeSliceLength()) {}
    void Step() {
        if (Clock::now() >= next_) {
            DispatchPendingEvents();
            next_ = Clock::now() + TimeSliceLength();
        }
    }

  private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point next_;
};

}  // namespace tavimo
