// A second-order filter section (transposed direct form II, in double precision), with the high-pass,
// low-pass and low-shelf designs of Robert Bristow-Johnson's audio EQ cookbook.
#pragma once

#include <cmath>
#include <numbers>
#include <utility>

#include "tools/music/score.h"

class Biquad {
 public:
  // Coefficients normalised so that a0 = 1.
  Biquad(double b0, double b1, double b2, double a1, double a2)
      : b0_(b0), b1_(b1), b2_(b2), a1_(a1), a2_(a2) {}

  static Biquad HighPass(double frequency, double q) {
    const auto [c, alpha] = Angle(frequency, q);
    return Normalised((1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
  }
  static Biquad LowPass(double frequency, double q) {
    const auto [c, alpha] = Angle(frequency, q);
    return Normalised((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
  }
  // Raises (or lowers) everything below about `frequency` by `gain_db`, with the cookbook's shelf slope 1.
  static Biquad LowShelf(double frequency, double gain_db) {
    const double a = std::pow(10.0, gain_db / 40.0);
    const auto [c, alpha] = Angle(frequency, 1.0 / std::numbers::sqrt2);
    const double root = 2.0 * std::sqrt(a) * alpha;
    return Normalised(a * ((a + 1.0) - (a - 1.0) * c + root), 2.0 * a * ((a - 1.0) - (a + 1.0) * c),
                      a * ((a + 1.0) - (a - 1.0) * c - root), (a + 1.0) + (a - 1.0) * c + root,
                      -2.0 * ((a - 1.0) + (a + 1.0) * c), (a + 1.0) + (a - 1.0) * c - root);
  }

  // Passes a band around `frequency`, 1 at its centre.
  static Biquad BandPass(double frequency, double q) {
    const auto [c, alpha] = Angle(frequency, q);
    return Normalised(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
  }
  double operator()(double x) {
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return y;
  }

 private:
  static Biquad Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    return Biquad(b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0);
  }
  // cos(w) and the bandwidth term alpha of the digital frequency w.
  static std::pair<double, double> Angle(double frequency, double q) {
    const double w = 2.0 * std::numbers::pi * frequency / kMusicRate;
    return {std::cos(w), std::sin(w) / (2.0 * q)};
  }

  double b0_, b1_, b2_, a1_, a2_;
  double z1_ = 0.0, z2_ = 0.0;
};
