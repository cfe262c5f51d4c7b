// The music through SDL audio: the whole file decoded at load, played once from its first sample, with the
// playing position taken from what the device has actually consumed.
#pragma once

#include <SDL.h>

#include <atomic>
#include <optional>

#include "timing/music_decoder.h"
#include "timing/music_player.h"
#include "timing/frequency_analyser.h"

class SdlMusicPlayer : public MusicPlayer {
 public:
  ~SdlMusicPlayer() override;

  bool Init() override;
  bool Load(const std::string& path) override;
  void Play() override;
  uint32_t Position() override;
  uint32_t Frequency() override { return kMusicRate; }
  uint32_t Length() override;
  const float* Spectrum() override;
  void SetVolume(int volume) override;
  void Close() override;

 private:
  static void FillCallback(void* player, Uint8* stream, int bytes);
  void Fill(int16_t* out, int frames);

  SDL_AudioDeviceID device_ = 0;
  int bufferFrames_ = 0;  // the device's buffer: what was last handed over is heard over this many frames
  std::optional<DecodedMusic> music_;
  SpectrumAnalyser analyser_;
  ::Spectrum spectrum_{};

  // Written by the audio thread under the device lock.
  uint64_t consumedFrames_ = 0;
  uint64_t lastFillCounter_ = 0;
  bool playing_ = false;
  std::atomic<int> volume_{255};
};
