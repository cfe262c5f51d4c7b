// DemoClock: a monotonic high-resolution timer that accumulates seconds since its last reset.
#pragma once

#include <cstdint>

struct DemoClock {
  int64_t lastCounter = 0;  // nanoseconds of the monotonic clock at the previous call
  double elapsed = 0.0;
};

void ResetClock(DemoClock& clock);

// Adds the time since the previous call and returns the seconds since the reset.
double ReadClock(DemoClock& clock);
