// Ramps: the fades, growths and motions of the scenes are clamps of the show time.
#pragma once

#include <algorithm>

// R(s, k) = clamp((t - s) * k, 0, 1): rises from 0 at t = s to 1 at t = s + 1/k.
inline double Ramp(double t, double start, double rate = 1.0) {
  return std::clamp((t - start) * rate, 0.0, 1.0);
}

// A ramp whose argument draws random numbers (a staggered start), clamped to 0 ... 1 with the argument
// evaluated afresh for every comparison, as the scenes' layouts were made: the first value is compared with
// 1; if it is not above 1 a second is compared with 0 (below: 0); then a next one is compared with 1 (above:
// 1), and otherwise one more is the result. Up to four evaluations, so up to four times the argument's draws.
template <typename Argument>
double StaggeredRamp(Argument&& argument) {
  if (!(argument() > 1.0) && argument() < 0.0) return 0.0;
  if (argument() > 1.0) return 1.0;
  return argument();
}

// The staggered ramp (t - start - spread * random) * rate, the random draw taken afresh on every evaluation.
double StaggeredRamp(double t, double start, double spread, double rate);
