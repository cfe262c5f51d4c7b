// The music through SDL audio, played once from a given sample, with the playing position taken from what
// the device has actually consumed. The file is decoded on a thread of its own (timing/music_stream.h): the
// show starts as soon as the seconds it begins with are decoded, and a decoding started early, before the
// sound is even opened, is taken over by Load. Pauses and jumps go through a short fade (PlaybackCursor).
#pragma once

#include <SDL.h>

#include <atomic>
#include <memory>

#include "desktop/playback_cursor.h"
#include "timing/frequency_analyser.h"
#include "timing/music_player.h"
#include "timing/music_stream.h"

class SdlMusicPlayer : public MusicPlayer {
 public:
  static constexpr int kFadeFrames =
      kMusicRate / 100;  // 10 ms: a jump's or a pause's fade, short yet no click

  ~SdlMusicPlayer() override;

  // Starts decoding the file now, ahead of Init and Load.
  void Prefetch(const std::string& path);
  // Stops a decoding that will not be played after all.
  void DropPrefetch() { stream_.reset(); }

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
  static void FillCallback(void* player, Uint8* stream, int bytes);
  void Fill(int16_t* out, int frames);
  uint32_t HeardPosition() const;

  SDL_AudioDeviceID device_ = 0;
  int bufferFrames_ = 0;  // the device's buffer: what was last handed over is heard over this many frames
  std::unique_ptr<MusicStream> stream_;
  SpectrumAnalyser analyser_;
  ::Spectrum spectrum_{};

  // Under the device lock: the cursor is stepped by the audio thread.
  PlaybackCursor cursor_{kFadeFrames};
  uint64_t lastFillCounter_ = 0;
  uint32_t pausedAt_ = 0;       // the position held while paused
  uint64_t positionFloor_ = 0;  // Position never reads less than the last jump's target
  std::atomic<int> volume_{255};
};
