// RunFrame: one frame of the show, called by the host once per idle turn while the window is active.
//
// Advances the demo clock in step with the music, reseeds the random generator from the clock, hands the
// spectrum to the show, draws the frame into the offscreen target, ends the show at 236.8 s of demo clock and
// plays the closing fade that Escape starts. The host presents the target and swaps afterwards. With music
// off it makes no sound call at all.
#pragma once

#include <memory>
#include <string>

#include "render/offscreen_target.h"
#include "render/show_object.h"
#include "shell/demo_state.h"
#include "timing/demo_clock.h"
#include "timing/frame_record.h"
#include "timing/music_player.h"

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
  MusicPlayer& music;  // only used while state.setup.musicOn
  FrameHost& host;
  std::unique_ptr<ShowObject>& show;  // freed on the way out after Escape
};

// The timer step between two readings, never negative.
double TimerStep(double now, double lastReading);

// Seconds of `samples` at `frequency`; 0 when the frequency is unknown.
double MusicSeconds(uint32_t samples, uint32_t frequency);

// Pulls the step a tenth of the way from the demo clock toward the music time, until the clock passes 230 s
// or the music enters its last five seconds; clears musicSync for good at that point.
double MusicCorrectedStep(double step, double demoClock, double musicTime, double musicLength,
                          bool& musicSync);

// The seed of a frame with music: the clock before this frame's advance, in microseconds, cut toward zero.
uint32_t ClockSeed(double demoClock);

// How far the closing fade has gone, 0 ... 1: fadeRate per second of demo clock since endStart, or at once
// complete while the clock still follows the music (or there is none).
double ClosingFadeLevel(double demoClock, double endStart, double fadeRate, bool musicSync);

// The master volume during the closing fade.
int FadeVolume(double level);

// Multiplies every pixel of the current framebuffer by (1 - level), leaving all GL state as found.
void DarkenPicture(double level);

FrameOutcome RunFrame(FrameContext& context);
