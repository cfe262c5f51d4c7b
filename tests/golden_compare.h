// The golden frames: where they are named and how close a frame must come to one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

constexpr int kGoldenWidth = 640, kGoldenHeight = 360;

// Demo clocks of the references. First half: after the fade-in, inside the busy windows, and the last frame
// of the half (show 140.98 s). Second half: from just after the jump (show 145 s) through the diamonds, the
// zoom and the shower (show 236 s).
inline const std::vector<double> kFirstHalfClocks = {
    16, 24, 32, 44, 55, 64, 75, 86, 97, 108, 118, 126, 134.16666666666666};
inline const std::vector<double> kSecondHalfClocks = {139, 146, 153, 160, 167, 174,
                                                      181, 190, 203, 212, 220, 228};

inline std::string NameOf(const char* half, double clock) {
  char name[64];
  std::snprintf(name, sizeof name, "%s_%06.2f.png", half, clock);
  return name;
}

struct Difference {
  double mean = 0;         // mean absolute difference per channel
  double farFraction = 0;  // share of pixels with a channel more than 16 apart
};

inline Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  Difference d;
  size_t far = 0;
  for (size_t i = 0; i < a.size(); i += 3) {
    int most = 0;
    for (size_t c = 0; c < 3; ++c) {
      const int delta = std::abs(int(a[i + c]) - int(b[i + c]));
      d.mean += delta;
      most = std::max(most, delta);
    }
    if (most > 16) ++far;
  }
  d.mean /= double(a.size());
  d.farFraction = double(far) / double(a.size() / 3);
  return d;
}

// What the compatibility profile must hold to: a mean difference under half a level, and under 0.2 % of the
// pixels more than 16 levels off.
constexpr double kGoldenMean = 0.5, kGoldenFarFraction = 0.002;
