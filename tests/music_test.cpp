#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "tests/music_files.h"
#include "timing/frame_timing.h"
#include "timing/frequency_analyser.h"
#include "timing/music_decoder.h"
#include "timing/music_stream.h"

namespace {

std::vector<float> Sine(double frequency, double amplitude, int count) {
  std::vector<float> samples(count);
  for (int i = 0; i < count; ++i)
    samples[i] = float(amplitude * std::sin(2 * std::numbers::pi * frequency * i / 44100));
  return samples;
}

int PeakBin(const Spectrum& spectrum) {
  return int(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());
}

TEST(Spectrum, BassAndHiHatFrequenciesLandInTheBinsTheScenesRead) {
  SpectrumAnalyser analyser;
  Spectrum spectrum;
  analyser.Analyse(Sine(86.0, 0.5, 4096), 4096, spectrum);
  EXPECT_EQ(PeakBin(spectrum), 2);
  EXPECT_NEAR(spectrum[2], 0.5, 0.05);

  analyser.Analyse(Sine(9900.0, 0.1, 4096), 4096, spectrum);
  EXPECT_EQ(PeakBin(spectrum), 230);
  EXPECT_GT(spectrum[230], 0.08);

  analyser.Analyse(Sine(2 * 44100.0 / 1024, 1.0, 4096), 4096, spectrum);
  EXPECT_NEAR(spectrum[2], 1.0, 1e-3);  // full scale on the bin's own frequency
}

TEST(Spectrum, SilenceAndPositionsOutsideTheMusicGiveZeros) {
  SpectrumAnalyser analyser;
  Spectrum spectrum;
  analyser.Analyse(std::vector<float>(2048, 0.0f), 2048, spectrum);
  EXPECT_EQ(*std::max_element(spectrum.begin(), spectrum.end()), 0.0f);
  const std::vector<float> tone = Sine(440, 0.5, 2048);
  analyser.Analyse(tone, 0, spectrum);
  EXPECT_EQ(*std::max_element(spectrum.begin(), spectrum.end()), 0.0f);
  analyser.Analyse(tone, 2048 + 1024, spectrum);
  EXPECT_EQ(*std::max_element(spectrum.begin(), spectrum.end()), 0.0f);
}

TEST(FrameTiming, TimerStepIsNeverNegative) {
  EXPECT_EQ(TimerStep(1.0, 1.0), 0.0);
  EXPECT_EQ(TimerStep(0.9, 1.0), 0.0);
  EXPECT_DOUBLE_EQ(TimerStep(1.25, 1.0), 0.25);
}

TEST(FrameTiming, ClosingFadeIsImmediateWhileTheClockFollowsTheMusic) {
  const double fadeRate = double(0.8f);
  EXPECT_EQ(ClosingFadeLevel(200.0, 200.0, fadeRate, true), 1.0);
  EXPECT_NEAR(ClosingFadeLevel(232.625, 232.0, fadeRate, false), 0.5, 1e-7);
  EXPECT_EQ(ClosingFadeLevel(231.0, 232.0, fadeRate, false), 0.0);
  EXPECT_EQ(ClosingFadeLevel(240.0, 232.0, fadeRate, false), 1.0);
}

TEST(MusicClock, StepCorrectionRules) {
  bool sync = true;
  EXPECT_NEAR(MusicCorrectedStep(0.016, 10.0, 12.0, 240.0, sync), 0.216, 1e-6);
  EXPECT_NEAR(MusicCorrectedStep(0.016, 10.0, 9.0, 240.0, sync), 0.016 - 0.1, 1e-6);  // music behind: slower
  EXPECT_EQ(MusicCorrectedStep(0.016, 230.5, 231.0, 240.0, sync), 0.016);
  EXPECT_TRUE(sync);
  EXPECT_EQ(MusicCorrectedStep(0.016, 10.0, 235.01, 240.0, sync), 0.016);
  EXPECT_FALSE(sync);
  EXPECT_EQ(MusicSeconds(44100, 0), 0.0);
  EXPECT_EQ(MusicSeconds(88200, 44100), 2.0);
  EXPECT_EQ(ClockSeed(1.5), 1500000u);
  EXPECT_EQ(ClockSeed(236.8), 236800000u);
  EXPECT_EQ(FadeVolume(0.5), 127);
  EXPECT_EQ(FadeVolume(1.0), 0);
  EXPECT_EQ(FadeVolume(0.0), 255);
}

std::vector<unsigned char> SomeJpeg() {
  std::vector<unsigned char> pixels(64 * 64 * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
  tjhandle compressor = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(compressor, pixels.data(), 64, 0, 64, TJPF_RGB, &jpeg, &size, TJSAMP_420, 90, 0);
  std::vector<unsigned char> bytes(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(compressor);
  return bytes;
}

TEST_F(MusicFiles, AWholeFileDecodesToItsLengthAtCdRate) {
  const auto music = DecodeMp3File(PathOf("tone.mp3"));
  ASSERT_TRUE(music.has_value());
  EXPECT_NEAR(double(music->Frames()), 4 * 44100.0, 3000.0);  // sox writes no gapless info: + encoder delay
  EXPECT_EQ(music->stereo.size(), 2 * music->Frames());
  SpectrumAnalyser analyser;
  Spectrum spectrum;
  analyser.Analyse(music->mono, 44100, spectrum);
  EXPECT_EQ(PeakBin(spectrum), 10);  // 440 Hz / 43.07 Hz per bin
}

TEST_F(MusicFiles, MissingEmptyAndNonMp3FilesAreNotMusic) {
  EXPECT_FALSE(DecodeMp3File(PathOf("no-such-file.mp3")).has_value());
  WriteBytes("empty.mp3", {});
  EXPECT_FALSE(DecodeMp3File(PathOf("empty.mp3")).has_value());
  WriteBytes("picture.mp3", SomeJpeg());
  EXPECT_FALSE(DecodeMp3File(PathOf("picture.mp3")).has_value());
  EXPECT_FALSE(DecodeMp3File(directory_.string()).has_value());  // a directory
}

TEST_F(MusicFiles, AFileCutInHalfPlaysItsFirstHalf) {
  std::vector<unsigned char> bytes = ReadBytes("tone.mp3");
  bytes.resize(bytes.size() / 2);
  WriteBytes("half.mp3", bytes);
  const auto music = DecodeMp3File(PathOf("half.mp3"));
  ASSERT_TRUE(music.has_value());
  EXPECT_NEAR(double(music->Frames()), 2 * 44100.0, 0.1 * 44100);
}

// Decoding on a thread of its own gives exactly the samples of decoding in one go, for whole, cut and
// unusable files alike; a stream dropped while it decodes stops.
TEST_F(MusicFiles, AStreamDecodesWhatTheWholeFileDecodes) {
  std::vector<unsigned char> bytes = ReadBytes("tone.mp3");
  bytes.resize(bytes.size() / 3);
  WriteBytes("third.mp3", bytes);
  WriteBytes("nothing.mp3", {});
  for (const char* name : {"tone.mp3", "third.mp3", "nothing.mp3", "no-such-file.mp3"}) {
    const auto whole = DecodeMp3File(PathOf(name));
    MusicStream stream(PathOf(name));
    ASSERT_EQ(stream.WaitUntilPlayable(), whole.has_value()) << name;
    stream.WaitFor(SIZE_MAX);
    if (!whole) continue;
    EXPECT_EQ(stream.Frames(), whole->Frames()) << name;
    EXPECT_TRUE(std::ranges::equal(stream.Stereo(), whole->stereo)) << name;
    EXPECT_TRUE(std::ranges::equal(stream.Mono(), whole->mono)) << name;
  }
  MusicStream dropped(PathOf("tone.mp3"));
}

}  // namespace
