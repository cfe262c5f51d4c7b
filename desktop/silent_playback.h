// The music's position while no sound device plays it: it runs on the system clock from where the device
// left off, holds while paused and goes on from where a jump lands, so that the show keeps its time in
// silence. Times are the system clock's nanoseconds, handed in by the caller.
#pragma once

#include <cstdint>

class SilentPlayback {
 public:
  SilentPlayback(uint64_t frame, bool paused, int64_t now) : frame_(frame), since_(now), paused_(paused) {}

  // The frame that would be heard at `now`.
  uint64_t Frame(int64_t now) const;
  void Pause(int64_t now);
  // Runs on from `frame`, paused or not.
  void Seek(uint64_t frame, int64_t now);

 private:
  uint64_t frame_;  // where the music stood at `since_`
  int64_t since_;
  bool paused_;
};
