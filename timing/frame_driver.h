// RunFrame: one frame of the show, called by the host once per idle turn while the window is active.
//
// Advances the demo clock, draws the frame into the offscreen target, ends the show at 236.8 s of demo clock
// and plays the closing fade that Escape starts. The host presents the target and swaps afterwards.
#pragma once

#include <string>

#include "render/offscreen_target.h"
#include "shell/demo_state.h"
#include "timing/demo_clock.h"
#include "timing/frame_record.h"

constexpr double kShowEnd = 236.8;

// What the frame needs from the host on the way out of the show.
class FrameHost {
 public:
  virtual ~FrameHost() = default;
  virtual void CopyTextToClipboard(const std::string& text) = 0;
  virtual void CloseMainWindow() = 0;
};

enum class FrameOutcome { Continue, EndProcess };  // EndProcess: exit with code 0 before presenting

struct FrameContext {
  DemoState& state;
  FrameRecord& frame;
  OffscreenTarget& target;
  DemoClock& clock;
  FrameHost& host;
};

// The timer step between two readings, never negative.
double TimerStep(double now, double lastReading);

// How far the closing fade has gone, 0 ... 1: fadeRate per second of demo clock since endStart, or at once
// complete while the clock still follows the music (or there is none).
double ClosingFadeLevel(double demoClock, double endStart, double fadeRate, bool musicSync);

FrameOutcome RunFrame(FrameContext& context);
