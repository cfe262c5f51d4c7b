// One vertex of the batched renderer's stream, as its shaders read it.
#pragma once

#include <cstdint>

struct BatchVertex {
  float x, y, z, w;    // clip space
  uint8_t r, g, b, a;  // clamped to 0 ... 1 as the fixed-function pipeline clamps vertex colours, 8 bits
  float s, t;
};
