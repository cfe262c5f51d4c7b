#include "desktop/silent_playback.h"

#include "timing/music_decoder.h"

uint64_t SilentPlayback::Frame(int64_t now) const {
  if (paused_ || now <= since_) return frame_;
  return frame_ + uint64_t(now - since_) * kMusicRate / 1'000'000'000;
}

void SilentPlayback::Pause(int64_t now) {
  frame_ = Frame(now);
  since_ = now;
  paused_ = true;
}

void SilentPlayback::Seek(uint64_t frame, int64_t now) {
  frame_ = frame;
  since_ = now;
  paused_ = false;
}
