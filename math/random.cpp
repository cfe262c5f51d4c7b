#include "math/random.h"

namespace {
uint32_t gRandomState = 1;
}

void RandomSeed(uint32_t seed) {
  gRandomState = seed;
}

int RandomRaw() {
  gRandomState = gRandomState * 214013u + 2531011u;
  return static_cast<int>((gRandomState >> 16) & 0x7FFF);
}

double RandomUnit() {
  return RandomRaw() * 3.051850947599719e-5;
}

uint32_t RandomState() {
  return gRandomState;
}
