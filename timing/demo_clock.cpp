#include "timing/demo_clock.h"

#include <chrono>

namespace {
int64_t CounterNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

void ResetClock(DemoClock& clock) {
  clock.elapsed = 0.0;
  clock.lastCounter = CounterNow();
}

double ReadClock(DemoClock& clock) {
  const int64_t counter = CounterNow();
  clock.elapsed += double(counter - clock.lastCounter) / 1e9;
  clock.lastCounter = counter;
  return clock.elapsed;
}
