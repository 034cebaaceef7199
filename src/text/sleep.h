#pragma once

#include <cstdint>

namespace tavimo {

// Suspends the calling thread; a negative value counts as 0.
void SleepMs(int32_t milliseconds);

}  // namespace tavimo
