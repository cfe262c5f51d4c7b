// Where the sound device's next frame of music comes from and how loud: playing on, fading out toward a jump
// or a pause, fading in after one. Plain state, stepped by the audio thread under the device's lock, so that
// every change of place goes through a fade and no jump or pause clicks; a fade that starts while another
// runs starts from the gain reached.
#pragma once

#include <cstdint>
#include <optional>

class PlaybackCursor {
 public:
  explicit PlaybackCursor(int fadeFrames) : fadeFrames_(fadeFrames) {}

  // Plays from `frame` at full gain at once (the show's start).
  void Start(uint64_t frame);
  // Fades out where it is, then holds.
  void Pause();
  // Plays from `frame`: after a fade out where it is when it plays, fading in.
  void Seek(uint64_t frame);

  struct Step {
    uint64_t frame;  // the music frame to hand over
    double gain;     // 0 ... 1
  };
  // The next frame to hand over and its gain, moving on past it; nothing while paused or before the start.
  std::optional<Step> Next();

  bool Started() const { return state_ != State::Stopped; }
  bool PausedOrPausing() const { return state_ == State::Pausing || state_ == State::Paused; }
  // Where a fade out under way leads.
  std::optional<uint64_t> PendingJump() const { return target_; }
  // The frame the next step hands over when no jump is pending.
  uint64_t Frame() const { return frame_; }

 private:
  enum class State { Stopped, Playing, Pausing, Paused };
  // Frames of fade out that start from the gain the fade in has reached.
  int FadeOutFromHere() const { return fadeInDone_ < fadeFrames_ ? fadeInDone_ : fadeFrames_; }

  int fadeFrames_;
  State state_ = State::Stopped;
  uint64_t frame_ = 0;
  std::optional<uint64_t> target_;
  int fadeOutLeft_ = 0;
  int fadeInDone_ = 0;
};
