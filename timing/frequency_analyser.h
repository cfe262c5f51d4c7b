// The music spectrum the scenes react to.
//
// A real FFT of the 1024 samples that end at a given position (mono mix, Hann window), reported as 512
// magnitudes: 2 * |X[k]| / sum(window), clamped to 1. On that scale a full-scale sine whose frequency falls
// on bin k reads 1.0 there; bin k covers k * 44100 / 1024 Hz (bin 2 = 86 Hz, bin 230 = 9.9 kHz at 44.1 kHz).
// Samples before the start or past the end of the music count as silence.
#pragma once

#include <array>
#include <span>
#include <vector>

constexpr int kSpectrumBins = 512;
constexpr int kSpectrumWindow = 2 * kSpectrumBins;

// The two bins the pictures react to, and the values above which they begin to.
constexpr int kBassBin = 2;   // 86 Hz: kick and bass
constexpr int kHatBin = 230;  // 9.9 kHz: hi-hats
constexpr double kBassFloor = 0.2;
constexpr double kHatFloor = 0.03;

using Spectrum = std::array<float, kSpectrumBins>;

// The periodic Hann window of `size` points, 0.5 - 0.5 cos(2 pi n / size), in double. The analyser keeps it
// in float; the music tools that judge sounds by this spectrum use the same values.
std::vector<double> HannWindow(int size);

class SpectrumAnalyser {
 public:
  SpectrumAnalyser();
  ~SpectrumAnalyser();
  SpectrumAnalyser(const SpectrumAnalyser&) = delete;
  SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

  // The spectrum of mono[end - 1024, end).
  void Analyse(std::span<const float> mono, long long end, Spectrum& out);

 private:
  void* fft_;  // kiss_fftr_cfg
  std::array<float, kSpectrumWindow> window_{};
  std::array<float, kSpectrumWindow> input_{};
  std::vector<float> output_;  // interleaved complex, kSpectrumBins + 1 values
  double scale_ = 0.0;
};
