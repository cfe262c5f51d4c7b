// DemoClock: a monotonic high-resolution timer that accumulates seconds since its last reset.
#pragma once

#include <cstdint>

// Nanoseconds of the system's monotonic clock.
int64_t MonotonicNanoseconds();

struct DemoClock {
  int64_t lastCounter = 0;  // counter reading at the previous call
  double elapsed = 0.0;
  int64_t (*counter)() = MonotonicNanoseconds;  // nanoseconds; tests hand in a scripted one
};

void ResetClock(DemoClock& clock);

// Adds the time since the previous call and returns the seconds since the reset.
double ReadClock(DemoClock& clock);
