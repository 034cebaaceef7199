#include "text/sleep.h"

#include <chrono>
#include <thread>

namespace tavimo {

void SleepMs(int32_t milliseconds) {
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace tavimo
