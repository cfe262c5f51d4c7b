// ShowObject: the show itself — its record (clocks, spectrum, curves; scenes/show_record.h) and its two
// operations.
//
// One instance, made by start-up and kept for the whole run. Its two operations are the per-frame function
// and the start-up set-up, in that order.
#pragma once

#include "render/offscreen_target.h"
#include "scenes/show_record.h"
#include "state/demo_state.h"
#include "state/messages.h"
#include "timing/frame_record.h"

// Where start-up leaves the show's clocks: three seconds before the show time's zero.
constexpr double kShowTimeAtStart = -3.0;
constexpr double kFastTimeAtStart = -0.3;

class ShowObject final : public ShowRecord {
 public:
  // One frame: show time, camera and light, the scenes, the fades. Leaves timeStep modulated.
  virtual void ShowFrame(double& timeStep, OffscreenTarget& target, DemoState& state, FrameRecord& frame);
  // Start-up: the assets, then the curves; leaves the show three seconds before its time zero. False (after
  // the file's message) when an asset file is missing or unusable.
  virtual bool SetUp(DemoState& state, MessageSink& messages);

  // The clocks of one frame without drawing it (ShowFrame does this first): fast forward.
  void AdvanceClocks(double& timeStep);

  // Puts the clocks back where start-up leaves them and runs them, without drawing, over `frames` frames of
  // `step` seconds; the demo clock ends at frames x step.
  void FastForward(double& demoClock, long long frames, double step);
};
