#include "timing/frequency_analyser.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

std::vector<double> HannWindow(int size) {
  std::vector<double> window(static_cast<size_t>(size));
  for (int n = 0; n < size; ++n) window[n] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / size);
  return window;
}

SpectrumAnalyser::SpectrumAnalyser()
    : fft_(kiss_fftr_alloc(kSpectrumWindow, 0, nullptr, nullptr)), output_(2 * (kSpectrumBins + 1)) {
  const std::vector<double> window = HannWindow(kSpectrumWindow);
  double sum = 0.0;
  for (int i = 0; i < kSpectrumWindow; ++i) {
    window_[i] = float(window[i]);
    sum += window_[i];
  }
  scale_ = 2.0 / sum;
}

SpectrumAnalyser::~SpectrumAnalyser() {
  kiss_fftr_free(fft_);
}

void SpectrumAnalyser::Analyse(std::span<const float> mono, long long end, Spectrum& out) {
  const long long start = end - kSpectrumWindow;
  const long long size = static_cast<long long>(mono.size());
  for (int i = 0; i < kSpectrumWindow; ++i) {
    const long long at = start + i;
    input_[i] = at >= 0 && at < size ? mono[size_t(at)] * window_[i] : 0.0f;
  }
  auto* bins = reinterpret_cast<kiss_fft_cpx*>(output_.data());
  kiss_fftr(static_cast<kiss_fftr_cfg>(fft_), input_.data(), bins);
  for (int k = 0; k < kSpectrumBins; ++k) {
    const double magnitude = std::hypot(double(bins[k].r), double(bins[k].i)) * scale_;
    out[k] = float(std::min(magnitude, 1.0));
  }
}
