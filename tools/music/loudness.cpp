#include "tools/music/loudness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "tools/music/biquad.h"
#include "tools/music/score.h"

namespace {

// The two stages of the K-weighting filter, derived for our sample rate from their analogue prototypes: a
// high shelf of about +4 dB above 1.7 kHz (the head's effect) and a high-pass at 38 Hz.
std::array<Biquad, 2> KWeighting(double rate) {
  const double shelf_k = std::tan(std::numbers::pi * 1681.974450955533 / rate);
  const double shelf_q = 0.7071752369554196;
  const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416);
  const double shelf_a0 = 1.0 + shelf_k / shelf_q + shelf_k * shelf_k;
  const Biquad shelf{
      (vh + vb * shelf_k / shelf_q + shelf_k * shelf_k) / shelf_a0, 2.0 * (shelf_k * shelf_k - vh) / shelf_a0,
      (vh - vb * shelf_k / shelf_q + shelf_k * shelf_k) / shelf_a0,
      2.0 * (shelf_k * shelf_k - 1.0) / shelf_a0, (1.0 - shelf_k / shelf_q + shelf_k * shelf_k) / shelf_a0};
  const double pass_k = std::tan(std::numbers::pi * 38.13547087602444 / rate);
  const double pass_q = 0.5003270373238773;
  const double pass_a0 = 1.0 + pass_k / pass_q + pass_k * pass_k;
  const Biquad pass{1.0, -2.0, 1.0, 2.0 * (pass_k * pass_k - 1.0) / pass_a0,
                    (1.0 - pass_k / pass_q + pass_k * pass_k) / pass_a0};
  return {shelf, pass};
}

constexpr double kRelativeGate = -10.0;

double LoudnessOf(double mean_square) {
  return -0.691 + 10.0 * std::log10(mean_square);
}

// The 4x interpolator: a Blackman-windowed sinc cut at the original Nyquist frequency, 16 taps a side.
constexpr int kOversampling = 4;
constexpr int kTapsPerSide = 16;
using Phase = std::array<double, 2 * kTapsPerSide>;

std::array<Phase, kOversampling - 1> InterpolationPhases() {
  std::array<Phase, kOversampling - 1> phases{};
  for (int p = 1; p < kOversampling; ++p) {
    const double fraction = static_cast<double>(p) / kOversampling;
    for (int t = 0; t < 2 * kTapsPerSide; ++t) {
      // Tap t weighs the sample at frame offset t - kTapsPerSide + 1 for the point `fraction` past frame 0.
      const double x = fraction - (t - kTapsPerSide + 1);
      const double sinc = std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
      const double w = (x + kTapsPerSide) / (2.0 * kTapsPerSide);  // 0 ... 1 across the taps
      const double blackman =
          0.42 - 0.5 * std::cos(2.0 * std::numbers::pi * w) + 0.08 * std::cos(4.0 * std::numbers::pi * w);
      phases[p - 1][t] = sinc * blackman;
    }
  }
  return phases;
}

}  // namespace

double IntegratedLoudness(std::span<const float> stereo) {
  const size_t frames = stereo.size() / 2;
  const size_t segment = kMusicRate / 10;  // blocks of four segments, one segment apart
  std::vector<double> segments(frames / segment, 0.0);
  for (int channel = 0; channel < 2; ++channel) {
    auto [shelf, pass] = KWeighting(kMusicRate);
    for (size_t i = 0; i < segments.size() * segment; ++i) {
      const double x = pass(shelf(stereo[2 * i + channel]));
      segments[i / segment] += x * x;
    }
  }
  std::vector<double> blocks;  // mean square of each 400 ms block, both channels summed
  for (size_t b = 0; b + 4 <= segments.size(); ++b) {
    blocks.push_back((segments[b] + segments[b + 1] + segments[b + 2] + segments[b + 3]) / (4.0 * segment));
  }
  auto gated_mean = [&](double gate) {
    double sum = 0.0;
    size_t count = 0;
    for (double z : blocks) {
      if (z > 0.0 && LoudnessOf(z) > gate) sum += z, ++count;
    }
    return count ? sum / count : 0.0;
  };
  const double above_absolute = gated_mean(kSilentLoudness);
  if (above_absolute == 0.0) return kSilentLoudness;
  const double above_relative = gated_mean(LoudnessOf(above_absolute) + kRelativeGate);
  return LoudnessOf(above_relative);
}

std::vector<float> TruePeakLevels(std::span<const float> stereo) {
  static const auto phases = InterpolationPhases();
  const size_t frames = stereo.size() / 2;
  std::vector<float> levels(frames);
  for (size_t i = 0; i < frames; ++i)
    levels[i] = std::max(std::abs(stereo[2 * i]), std::abs(stereo[2 * i + 1]));
  // Each channel with silence around it, so that every point has all its taps.
  std::vector<float> padded(frames + 2 * kTapsPerSide, 0.0f);
  for (int channel = 0; channel < 2; ++channel) {
    for (size_t i = 0; i < frames; ++i) padded[kTapsPerSide + i] = stereo[2 * i + channel];
    for (size_t i = 0; i < frames; ++i) {
      const float* taps = padded.data() + i + 1;  // the sample at frame i - kTapsPerSide + 1
      for (const Phase& phase : phases) {
        double value = 0.0;
        for (int t = 0; t < 2 * kTapsPerSide; ++t) value += phase[t] * taps[t];
        levels[i] = std::max(levels[i], static_cast<float>(std::abs(value)));
      }
    }
  }
  return levels;
}

double TruePeak(std::span<const float> stereo) {
  const std::vector<float> levels = TruePeakLevels(stereo);
  return levels.empty() ? 0.0 : *std::max_element(levels.begin(), levels.end());
}
