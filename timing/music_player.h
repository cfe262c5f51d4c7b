// MusicPlayer: what the frame driver and start-up need from the sound system, and nothing more.
//
// The live program plays through SDL audio (desktop/sdl_music_player.h); tests hand in a scripted fake.
#pragma once

#include <cstdint>
#include <string>

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Opens the sound output (44.1 kHz stereo); false when there is no usable device.
  virtual bool Init() = 0;
  // Opens the file for playing; false when it is missing or holds no playable MP3 audio.
  virtual bool Load(const std::string& path) = 0;
  // Plays the loaded music once, not looped, from the given sample (0: its first).
  virtual void Play(uint32_t startSample) = 0;
  // The sample being heard now, counted from the start.
  virtual uint32_t Position() = 0;
  // Samples per second of the playing music.
  virtual uint32_t Frequency() = 0;
  // Length of the loaded music in samples.
  virtual uint32_t Length() = 0;
  // 512 magnitudes, 0 ... 1, of the music being heard (see timing/frequency_analyser.h); valid until the next
  // call.
  virtual const float* Spectrum() = 0;
  // The same of the 1024 samples that end at `sample`, waiting for them to be decoded if need be.
  virtual const float* SpectrumAt(uint32_t sample) = 0;
  // Fades out within a few milliseconds and holds; Position stays where the music stopped.
  virtual void Pause() = 0;
  // Plays on from `sample`, paused or not: a few milliseconds' fade out where it was and in where it goes, so
  // that the jump makes no click. Position reads `sample` from then on.
  virtual void Seek(uint32_t sample) = 0;
  // Master volume, 0 (silent) ... 255 (full).
  virtual void SetVolume(int volume) = 0;
  virtual void Close() = 0;
};

// The music file, relative to the working directory.
inline constexpr const char* kMusicFile = "music//Tessaly - Slow Orbit.mp3";
