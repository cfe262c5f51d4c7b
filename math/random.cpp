#include "math/random.h"

namespace {
thread_local uint32_t tRandomState = 1;
thread_local bool tRandomKnown = true;
}  // namespace

void RandomSeed(uint32_t seed) {
  tRandomState = seed;
  tRandomKnown = true;
}

int RandomRaw() {
  if (!tRandomKnown) throw RandomStateUnknown{};
  tRandomState = tRandomState * 214013u + 2531011u;
  return static_cast<int>((tRandomState >> 16) & 0x7FFF);
}

double RandomUnit() {
  return RandomRaw() * 3.051850947599719e-5;
}

uint32_t RandomState() {
  return tRandomState;
}

void RandomForget() {
  tRandomKnown = false;
}

bool RandomKnown() {
  return tRandomKnown;
}
