// Renders any instant of the show without a window, exactly as the live program would show it.
//
// Runs on the current GL context (a headless EGL one in the tools and tests). The demo clock advances by a
// fixed step from 0; the music position is taken to be the demo clock, so the clock needs no correction, and
// the spectrum is that of the decoded music at that position (silence without a music file). Every frame but
// the last is only fast-forwarded (the show's clocks, no drawing), so an instant always gives the same
// picture, whatever was rendered before it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "render/offscreen_target.h"
#include "show/show_object.h"
#include "state/demo_state.h"
#include "state/messages.h"
#include "timing/frame_record.h"
#include "timing/frequency_analyser.h"
#include "timing/music_decoder.h"

class FrameRenderer {
 public:
  // The show's start-up at width x height from the working directory (assets, and the music if present).
  // Nothing, after a message, when start-up fails.
  static std::unique_ptr<FrameRenderer> Create(int width, int height, double step, MessageSink& messages);

  // Draws the frame whose demo clock is the step multiple nearest to demoClock (at least one step).
  void RenderAt(double demoClock);

  // Draws the frame one step after the last one drawn (the first frame of the show after Create), as the live
  // show would.
  void RenderNext();

  // Whether the live show would end instead of drawing the next frame: its demo clock would pass the end.
  bool NextPassesShowEnd() const;

  // The picture last drawn: RGB, top row first.
  std::vector<uint8_t> ReadPixels() const;

  // The picture last drawn, on the GPU (for reading it back without waiting).
  const OffscreenTarget& Target() const { return target_; }
  int Width() const { return target_.width; }
  int Height() const { return target_.height; }
  const ShowObject& Show() const { return *show_; }

 private:
  FrameRenderer() = default;
  void BeginFrame();
  // The spectrum of the decoded music at the demo clock (left as it is without music).
  void SpectrumAtClock();
  void DrawFrame();

  DemoState state_;
  FrameRecord frame_;
  OffscreenTarget target_;
  std::unique_ptr<ShowObject> show_;
  std::optional<DecodedMusic> music_;
  SpectrumAnalyser analyser_;
  Spectrum spectrum_{};
  double step_ = 1.0 / 60.0;
};
