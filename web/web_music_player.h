// The show's music in the browser: decoded with the same libmpg123 as on the desktop, played through Web
// Audio, its position read from the audio clock so that the demo clock follows what is heard.
#pragma once

#include <optional>

#include "timing/frequency_analyser.h"
#include "timing/music_decoder.h"
#include "timing/music_player.h"

class WebMusicPlayer : public MusicPlayer {
 public:
  // Must run in a user gesture's handler: browsers start sound only after one.
  bool Init() override;
  bool Load(const std::string& path) override;
  void Play(uint32_t startSample) override;
  uint32_t Position() override;
  uint32_t Frequency() override { return kMusicRate; }
  uint32_t Length() override;
  const float* Spectrum() override;
  const float* SpectrumAt(uint32_t sample) override;
  void Pause() override;
  void Seek(uint32_t sample) override;
  void SetVolume(int volume) override;
  void Close() override;

 private:
  std::optional<DecodedMusic> music_;
  SpectrumAnalyser analyser_;
  ::Spectrum spectrum_{};
};
