#include "tools/music/tonal_lines.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>

#include "timing/frequency_analyser.h"
#include "timing/music_decoder.h"

namespace {

constexpr int kSize = 8192;
constexpr double kNeighbourhood = 500.0;  // Hz either side

}  // namespace

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

TonalLine StrongestLine(const std::vector<float>& mono, double from, double to) {
  const std::vector<double> hann = HannWindow(kSize);
  const std::vector<float> window(hann.begin(), hann.end());
  std::vector<float> input(kSize);
  kiss_fftr_cfg fft = kiss_fftr_alloc(kSize, 0, nullptr, nullptr);
  std::vector<kiss_fft_cpx> bins(kSize / 2 + 1);
  std::vector<double> power(kSize / 2 + 1, 0.0);
  for (size_t start = 0; start + kSize <= mono.size(); start += kSize / 2) {
    for (int i = 0; i < kSize; ++i) input[i] = mono[start + i] * window[i];
    kiss_fftr(fft, input.data(), bins.data());
    for (size_t k = 0; k < bins.size(); ++k)
      power[k] += double(bins[k].r) * bins[k].r + double(bins[k].i) * bins[k].i;
  }
  kiss_fftr_free(fft);

  const double hz_per_bin = static_cast<double>(kMusicRate) / kSize;
  const int reach = static_cast<int>(std::lround(kNeighbourhood / hz_per_bin));
  TonalLine strongest{from, -1e9};
  const int first = static_cast<int>(std::ceil(from / hz_per_bin));
  const int last = std::min(static_cast<int>(to / hz_per_bin), static_cast<int>(power.size()) - 1 - reach);
  for (int k = std::max(first, reach); k <= last; ++k) {
    const double median = Median({power.begin() + k - reach, power.begin() + k + reach + 1});
    if (median <= 0.0 || power[k] <= 0.0) continue;
    const double excess = 10.0 * std::log10(power[k] / median);
    if (excess > strongest.excess_db) strongest = {k * hz_per_bin, excess};
  }
  return strongest;
}
