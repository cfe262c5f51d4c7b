#include "desktop/playback_cursor.h"

void PlaybackCursor::Start(uint64_t frame) {
  state_ = State::Playing;
  frame_ = frame;
  target_.reset();
  fadeInDone_ = fadeFrames_;
}

void PlaybackCursor::Pause() {
  if (state_ != State::Playing) return;
  if (!target_)
    fadeOutLeft_ = FadeOutFromHere();  // else the jump's fade out, under way, leads into the pause
  target_.reset();
  state_ = State::Pausing;
}

void PlaybackCursor::Seek(uint64_t frame) {
  switch (state_) {
    case State::Stopped:
    case State::Paused:
      frame_ = frame;
      fadeInDone_ = 0;
      break;
    case State::Pausing:  // its fade out goes on, toward the jump
      target_ = frame;
      break;
    case State::Playing:
      if (!target_) fadeOutLeft_ = FadeOutFromHere();
      target_ = frame;
      break;
  }
  state_ = State::Playing;
}

std::optional<PlaybackCursor::Step> PlaybackCursor::Next() {
  if (state_ == State::Stopped || state_ == State::Paused) return std::nullopt;
  if (fadeOutLeft_ > 0 && (state_ == State::Pausing || target_))
    return Step{frame_++, double(fadeOutLeft_--) / fadeFrames_};
  if (state_ == State::Pausing) {
    state_ = State::Paused;
    return std::nullopt;
  }
  if (target_) {
    frame_ = *target_;
    target_.reset();
    fadeInDone_ = 0;
  }
  const double gain = double(FadeOutFromHere()) / fadeFrames_;
  if (fadeInDone_ < fadeFrames_) ++fadeInDone_;
  return Step{frame_++, gain};
}
