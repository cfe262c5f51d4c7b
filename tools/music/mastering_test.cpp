// The master stage's meters and limiter, our hat voice and the tonal-line finder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "timing/frequency_analyser.h"
#include "tools/music/hats.h"
#include "tools/music/loudness.h"
#include "tools/music/render.h"
#include "tools/music/tonal_lines.h"

namespace {

constexpr double kRate = kMusicRate;

// Interleaved stereo of a sine, in one channel or both.
std::vector<float> Sine(double seconds, double hz, double amplitude, bool both = true, double phase = 0.0) {
  std::vector<float> stereo(2 * static_cast<size_t>(seconds * kRate));
  for (size_t i = 0; i < stereo.size() / 2; ++i) {
    const float value =
        static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * i / kRate + phase));
    stereo[2 * i] = value;
    stereo[2 * i + 1] = both ? value : 0.0f;
  }
  return stereo;
}

double Db(double linear) {
  return 20.0 * std::log10(linear);
}

TEST(LoudnessTest, ReadsASineAtItsLevelAndCountsBothChannels) {
  EXPECT_NEAR(IntegratedLoudness(Sine(10.0, 997.0, 0.1)), -20.0, 0.05);
  EXPECT_NEAR(IntegratedLoudness(Sine(10.0, 997.0, 0.1, false)), -23.01, 0.05);
  // The K-weighting against 1 kHz: +3.35 dB at 8 kHz, -9 dB at 30 Hz (as ffmpeg's ebur128 filter reads
  // the same tones).
  EXPECT_NEAR(IntegratedLoudness(Sine(10.0, 8000.0, 0.1)), -20.0 + 3.35, 0.05);
  EXPECT_NEAR(IntegratedLoudness(Sine(10.0, 30.0, 0.1)), -20.0 - 9.0, 0.05);
}

TEST(LoudnessTest, GatesOutSilenceAndQuietPassages) {
  std::vector<float> loud_then_quiet = Sine(10.0, 997.0, 0.1);
  const std::vector<float> quiet = Sine(10.0, 997.0, 0.001);
  loud_then_quiet.insert(loud_then_quiet.end(), quiet.begin(), quiet.end());
  // Without the relative gate the quiet half would pull the reading 3 LU down.
  EXPECT_NEAR(IntegratedLoudness(loud_then_quiet), -20.0, 0.1);
  EXPECT_EQ(IntegratedLoudness(std::vector<float>(2 * 44100 * 5, 0.0f)), kSilentLoudness);
  EXPECT_EQ(IntegratedLoudness(std::vector<float>(100, 0.5f)), kSilentLoudness);  // shorter than a block
}

TEST(TruePeakTest, FindsThePeakBetweenSamples) {
  // A quarter of the sample rate, 45 degrees off: every sample sits at 0.707 of the peak. (Faded in and
  // out: a tone cut off abruptly really does overshoot between its last samples.)
  std::vector<float> stereo = Sine(1.0, kRate / 4.0, 0.5, true, std::numbers::pi / 4.0);
  const size_t fade = 441, frames = stereo.size() / 2;
  for (size_t i = 0; i < fade; ++i) {
    const float gain = static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / fade));
    for (size_t at : {i, frames - 1 - i}) stereo[2 * at] *= gain, stereo[2 * at + 1] *= gain;
  }
  EXPECT_NEAR(*std::max_element(stereo.begin(), stereo.end()), 0.354, 0.001);
  EXPECT_NEAR(TruePeak(stereo), 0.5, 0.005);
  EXPECT_EQ(TruePeak({}), 0.0);
}

TEST(MasterMixTest, ReachesTheLoudnessWithTruePeaksUnderTheCeiling) {
  // A quiet tone with loud clicks on top: the gain must rise by about 20 dB and the clicks be limited.
  std::vector<float> stereo = Sine(12.0, 220.0, 0.01);
  for (size_t i = 0; i < stereo.size(); i += 2 * 22050) stereo[i] = stereo[i + 1] = 0.3f;
  Score score;
  score.fade_begin = score.fade_end = static_cast<long long>(stereo.size());  // no fade within
  const double ceiling = std::pow(10.0, -2.0 / 20.0);
  const double gain = MasterMix(stereo, score, -14.0, ceiling);
  EXPECT_GT(Db(gain), 15.0);
  EXPECT_NEAR(IntegratedLoudness(stereo), -14.0, 0.05);
  EXPECT_LE(TruePeak(stereo), ceiling * 1.0001);
  // Silence stays silence.
  std::vector<float> silence(2 * 44100, 0.0f);
  EXPECT_EQ(MasterMix(silence, score, -14.0, ceiling), 1.0);
  EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](float s) { return s == 0.0f; }));
}

// The mono mix (left + right) / 2 of interleaved stereo, which the show's analyser reads.
std::vector<float> Mono(const std::vector<float>& stereo) {
  std::vector<float> mono(stereo.size() / 2);
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
  return mono;
}

// The power of the mono mix, summed over DFT frequencies 25 Hz apart within [from, to].
double BandPower(const std::vector<float>& stereo, double from, double to) {
  double power = 0.0;
  for (double hz = from; hz <= to; hz += 25.0) {
    double re = 0.0, im = 0.0;
    for (size_t i = 0; i < stereo.size() / 2; ++i) {
      const double angle = 2.0 * std::numbers::pi * hz * i / kRate;
      re += stereo[2 * i] * std::cos(angle);
      im -= stereo[2 * i] * std::sin(angle);
    }
    power += re * re + im * im;
  }
  return power;
}

TEST(HatsTest, EveryHitSpeaksInTheHatBinAndTheSameHitsSoundTheSame) {
  std::vector<HatHit> hats;
  for (int i = 0; i < 40; ++i) hats.push_back({44100 + i * 11025LL, 100, false});
  std::vector<float> a(2 * 44100 * 13, 0.0f), b = a;
  MixHats(hats, 1.0, a);
  MixHats(hats, 1.0, b);
  EXPECT_EQ(a, b);
  EXPECT_TRUE(std::all_of(a.begin(), a.begin() + 2 * 44100, [](float s) { return s == 0.0f; }));
  // Whatever the frames' phase, one 60 fps frame's window ends 12 to 28 ms after a hit; a single take of
  // noise would leave some hits far weaker there than others.
  const std::vector<float> mono = Mono(a);
  SpectrumAnalyser analyser;
  Spectrum spectrum;
  std::vector<double> seen;
  for (const HatHit& hit : hats) {
    double weakest = 1.0;
    for (int ms = 12; ms <= 28; ms += 2) {
      analyser.Analyse(mono, hit.frame + ms * 441 / 10, spectrum);
      weakest = std::min(weakest, double(spectrum[kHatBin]));
    }
    seen.push_back(weakest);
  }
  std::vector<double> sorted = seen;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_GT(sorted.front(), 0.5 * sorted[sorted.size() / 2]);  // a single take: about 0.1
  // The sound stays in its band: 1 to 3 kHz carries less than a thousandth of what 9 to 11 kHz does.
  EXPECT_LT(BandPower(a, 1000.0, 3000.0), 1e-3 * BandPower(a, 9000.0, 11000.0));
}

TEST(TonalLinesTest, FindsASteadyToneUnderNoiseAndNothingInNoiseAlone) {
  std::vector<float> mono(44100 * 20);
  unsigned long long state = 1;
  for (float& sample : mono) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    sample = static_cast<float>(0.1 * (static_cast<double>(state >> 11) / (1ULL << 52) - 1.0));
  }
  EXPECT_LT(StrongestLine(mono, 8000.0, 12000.0).excess_db, 3.0);
  // A tone 20 dB under the noise's level stands well out of it at 5 Hz resolution.
  const double amplitude = 0.1 / std::sqrt(3.0) * 0.1 * std::numbers::sqrt2;
  for (size_t i = 0; i < mono.size(); ++i) {
    mono[i] += static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * 9906.0 * i / kRate));
  }
  const TonalLine line = StrongestLine(mono, 8000.0, 12000.0);
  EXPECT_GT(line.excess_db, 6.0);
  EXPECT_NEAR(line.frequency, 9906.0, 6.0);
}

}  // namespace
