// ShowCurves: the curves the scenes walk, made once at start-up: nine pools of walkers, strands, stems and
// meanders, a single line that places groups of objects, and the logo's strokes.
#pragma once

#include <array>
#include <vector>

#include "effects/curve.h"

constexpr int kCurvePoolCount = 9;
constexpr std::array<int, kCurvePoolCount> kCurvePoolSizes = {20, 50, 50, 50, 10, 20, 250, 200, 300};

struct ShowCurves {
  ShowCurves() {
    for (int pool = 0; pool < kCurvePoolCount; ++pool)
      pools[size_t(pool)].resize(size_t(kCurvePoolSizes[size_t(pool)]));
  }

  std::array<std::vector<Curve>, kCurvePoolCount> pools;
  Curve single;                   // a line along x with stalls, placing groups of objects
  std::vector<Curve> logoCurves;  // traced from the logo picture, one per stroke
};
