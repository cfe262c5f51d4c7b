// The music through SDL audio, played once from a given sample, with the playing position taken from what
// the device has actually consumed. The file is decoded on a thread of its own (timing/music_stream.h): the
// show starts as soon as the seconds it begins with are decoded, and a decoding started early, before the
// sound is even opened, is taken over by Load. Pauses and jumps go through a short fade (PlaybackCursor).
// When the device goes away, the default one takes over, or, when none opens, the position runs on the system
// clock in silence (SilentPlayback), so that the show never waits for a sound that does not come.
#pragma once

#include <SDL.h>

#include <atomic>
#include <memory>
#include <optional>

#include "desktop/playback_cursor.h"
#include "desktop/silent_playback.h"
#include "timing/demo_clock.h"
#include "timing/frequency_analyser.h"
#include "timing/music_player.h"
#include "timing/music_stream.h"

// What became of the music when an output device went away.
enum class DeviceLoss { NotOurs, Reopened, Silent };

class SdlMusicPlayer : public MusicPlayer {
 public:
  static constexpr int kFadeFrames =
      kMusicRate / 100;  // 10 ms: a jump's or a pause's fade, short yet no click

  // `counter` (nanoseconds) times the music while no device plays it; tests hand in a scripted one.
  explicit SdlMusicPlayer(int64_t (*counter)() = MonotonicNanoseconds) : counter_(counter) {}
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

  // SDL has reported the output device `device` removed. When it is this player's, the default device takes
  // over from the sample after the last one handed to the lost one (paused or fading as it was); when none
  // opens, the position runs on in silence from the sample heard last.
  DeviceLoss HandleDeviceRemoved(SDL_AudioDeviceID device);

 protected:
  // Opens the default output device, paused, for the callback; 0 when none opens.
  virtual SDL_AudioDeviceID OpenDevice();

 private:
  static void FillCallback(void* player, Uint8* stream, int bytes);
  void Fill(int16_t* out, int frames);
  uint32_t HeardPosition() const;
  uint32_t WithinMusic(int64_t frame) const;

  int64_t (*counter_)();
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
  std::optional<SilentPlayback> silent_;  // once the device is lost and no other opens
};
