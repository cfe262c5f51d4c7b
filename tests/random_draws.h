// How many draws of the show's random generator a call takes.
#pragma once

#include <cstdint>

#include "math/random.h"

// The draws `draw` takes from a freshly seeded generator; -1 when more than `most`.
template <typename Draw>
int DrawsOf(Draw draw, int most = 1000) {
  RandomSeed(7);
  draw();
  const uint32_t after = RandomState();
  RandomSeed(7);
  for (int n = 0; n <= most; ++n) {
    if (RandomState() == after) return n;
    RandomRaw();
  }
  return -1;
}
