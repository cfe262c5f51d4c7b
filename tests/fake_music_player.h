// A MusicPlayer whose position is set by the test and which counts every call made to it.
#pragma once

#include <vector>

#include "timing/music_player.h"
#include "timing/frequency_analyser.h"

class FakeMusicPlayer : public MusicPlayer {
 public:
  bool Init() override { return ++calls, initWorks; }
  bool Load(const std::string& path) override {
    loaded = path;
    return ++calls, loadWorks;
  }
  void Play(uint32_t startSample) override { ++calls, ++plays, playedFrom = startSample; }
  uint32_t Position() override { return ++calls, position; }
  uint32_t Frequency() override { return ++calls, 44100; }
  uint32_t Length() override { return ++calls, length; }
  const float* Spectrum() override { return ++calls, spectrum.data(); }
  const float* SpectrumAt(uint32_t sample) override {
    return ++calls, spectrumAt.push_back(sample), spectrum.data();
  }
  void Pause() override { ++calls, ++pauses; }
  void Seek(uint32_t sample) override { ++calls, seeks.push_back(sample); }
  void SetVolume(int volume) override { ++calls, volumes.push_back(volume); }
  void Close() override { ++calls, ++closes; }

  void SetSeconds(double seconds) { position = uint32_t(seconds * 44100); }

  bool initWorks = true;
  bool loadWorks = true;
  uint32_t position = 0;
  uint32_t playedFrom = 0;
  uint32_t length = 240 * 44100;
  ::Spectrum spectrum{};
  std::string loaded;
  std::vector<int> volumes;
  std::vector<uint32_t> spectrumAt, seeks;
  int calls = 0, plays = 0, closes = 0, pauses = 0;
};
