#include "tools/music/hats.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

#include "timing/frequency_analyser.h"
#include "tools/music/biquad.h"

namespace {

// The envelope: seconds to fall by 1/e; an open hat plays at half the closed hat's level, since its long
// decay carries far more energy.
constexpr double kClosedDecay = 0.025;
constexpr double kOpenDecay = 0.20;
constexpr double kOpenLevel = 0.5;
constexpr double kChokeSeconds = 0.002;  // an open hat cut by the next hit fades over this
constexpr double kTailDecays = 8.0;      // a hit is rendered for this many decay times (-70 dB)
// Velocity accents a hit rather than scaling it: the softest hit keeps 70% of the level.
constexpr double kVelocityShare = 0.3;

// The centre of the show's hat bin, whose Hann windows the takes are judged by.
constexpr double kHatBinHz = double(kHatBin) * kMusicRate / kSpectrumWindow;

// The noise passes two band-passes in a row around the hat bin (about 9.3 to 10.5 kHz), over a floor of the
// whole 7 to 12 kHz band 14 dB lower, so that most of a hit's energy lands where the pictures look.
constexpr double kBandQ = 5.0;
constexpr double kFloorLevel = 0.2;
// Takes of noise drawn for each hit; the one the show's spectrum sees best plays.
constexpr int kTakes = 32;

// White noise, uniform in [-1, 1), from a fixed-seed 64-bit linear congruential generator.
class Noise {
 public:
  double operator()() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 52) - 1.0;
  }

 private:
  unsigned long long state_ = 0x4841545300000001ULL;
};

// One hit, `length` frames long: noise under the decay envelope (faded out at the end when the next hit
// chokes it), through the band-passes.
std::vector<double> Burst(const HatHit& hit, long long length, bool choked, double level, Noise& noise) {
  const double decay = (hit.open ? kOpenDecay : kClosedDecay) * kMusicRate;
  const double fade = kChokeSeconds * kMusicRate;
  const double accent = 1.0 - kVelocityShare + kVelocityShare * hit.velocity / 127.0;
  const double peak = level * accent * (hit.open ? kOpenLevel : 1.0);
  // Fourth-order Butterworth high-pass at 7 kHz (two sections) and a low-pass at 12 kHz for the floor.
  Biquad high1 = Biquad::HighPass(7000.0, 0.5412), high2 = Biquad::HighPass(7000.0, 1.3066);
  Biquad low = Biquad::LowPass(12000.0, 1.0 / std::numbers::sqrt2);
  Biquad band1 = Biquad::BandPass(kHatBinHz, kBandQ), band2 = Biquad::BandPass(kHatBinHz, kBandQ);
  std::vector<double> burst(static_cast<size_t>(length));
  for (long long i = 0; i < length; ++i) {
    const double choking = choked ? std::min(1.0, (length - i) / fade) : 1.0;
    const double x = peak * std::exp(-i / decay) * choking * noise();
    burst[i] = kFloorLevel * low(high2(high1(x))) + band2(band1(x));
  }
  return burst;
}

// The show's window times the DFT's rotation onto the hat bin, for each place in the window.
std::vector<std::complex<double>> HatBinKernel() {
  const std::vector<double> window = HannWindow(kSpectrumWindow);
  std::vector<std::complex<double>> kernel(kSpectrumWindow);
  for (int n = 0; n < kSpectrumWindow; ++n) {
    kernel[n] = std::polar(window[n], -2.0 * std::numbers::pi * kHatBinHz * n / kMusicRate);
  }
  return kernel;
}

// How the show's spectrum sees a burst in its hat bin at worst: the magnitude at 9.9 kHz of the 1024-sample
// Hann windows that end 12 to 28 ms after the onset, a millisecond apart. At 60 frames a second, one frame's
// window ends in that span whatever the frames' phase.
double WeakestView(const std::vector<double>& burst) {
  static const std::vector<std::complex<double>> kernel = HatBinKernel();
  double weakest = std::numeric_limits<double>::max();
  for (int end_ms = 12; end_ms <= 28; ++end_ms) {
    const long long end = std::llround(end_ms * 0.001 * kMusicRate);
    std::complex<double> sum = 0.0;
    const long long first = std::max(0LL, end - kSpectrumWindow);
    const long long last = std::min<long long>(end, static_cast<long long>(burst.size()));
    for (long long i = first; i < last; ++i) sum += burst[i] * kernel[i - end + kSpectrumWindow];
    weakest = std::min(weakest, std::abs(sum));
  }
  return weakest;
}

}  // namespace

void MixHats(const std::vector<HatHit>& hats, double level, std::vector<float>& stereo) {
  const long long frames = static_cast<long long>(stereo.size() / 2);
  Noise noise;
  for (size_t h = 0; h < hats.size() && hats[h].frame < frames; ++h) {
    const HatHit& hit = hats[h];
    const double decay = (hit.open ? kOpenDecay : kClosedDecay) * kMusicRate;
    const long long tail = hit.frame + std::llround(kTailDecays * decay);
    const long long choke = h + 1 < hats.size() ? hats[h + 1].frame : frames;
    const long long end = std::min({tail, choke, frames});
    std::vector<double> chosen;
    double best = -1.0;
    for (int take = 0; take < kTakes; ++take) {
      std::vector<double> burst = Burst(hit, end - hit.frame, end == choke, level, noise);
      const double seen = WeakestView(burst);
      if (seen > best) best = seen, chosen = std::move(burst);
    }
    for (size_t i = 0; i < chosen.size(); ++i) {
      stereo[2 * (hit.frame + i)] += static_cast<float>(chosen[i]);
      stereo[2 * (hit.frame + i) + 1] += static_cast<float>(chosen[i]);
    }
  }
}
