#include "timing/demo_clock.h"

#include <chrono>

int64_t MonotonicNanoseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

void ResetClock(DemoClock& clock) {
  clock.elapsed = 0.0;
  clock.lastCounter = clock.counter();
}

double ReadClock(DemoClock& clock) {
  const int64_t counter = clock.counter();
  clock.elapsed += double(counter - clock.lastCounter) / 1e9;
  clock.lastCounter = counter;
  return clock.elapsed;
}
