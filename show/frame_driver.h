// RunFrame: one frame of the show, called by the host once per idle turn while the window is active.
//
// Advances the demo clock in step with the music, reseeds the random generator from the clock, hands the
// spectrum to the show, draws the frame into the offscreen target, ends the show at 236.8 s of demo clock and
// plays the closing fade that Escape starts. The host presents the target and swaps afterwards. With music
// off it makes no sound call at all. The rules with numbers in them are in timing/frame_timing.h.
#pragma once

#include <memory>
#include <string>

#include "render/offscreen_target.h"
#include "show/show_object.h"
#include "state/demo_state.h"
#include "timing/demo_clock.h"
#include "timing/frame_record.h"
#include "timing/frame_timing.h"
#include "timing/music_player.h"

// What the frame needs from the host on the way out of the show.
class FrameHost {
 public:
  virtual ~FrameHost() = default;
  virtual void CopyTextToClipboard(const std::string& text) = 0;
  virtual void CloseMainWindow() = 0;
};

enum class FrameOutcome { Continue, EndProcess };  // EndProcess: exit with code 0 before presenting

class Rehearsal;

struct FrameContext {
  DemoState& state;
  FrameRecord& frame;
  OffscreenTarget& target;
  DemoClock& clock;
  MusicPlayer& music;  // only used while state.setup.musicOn
  FrameHost& host;
  std::unique_ptr<ShowObject>& show;  // freed on the way out after Escape
  Rehearsal* rehearsal = nullptr;     // the viewer's controls over time, in rehearsal mode
};

// Seeds the random generator of a frame that follows the music from the demo clock before its advance, and
// spends the draws made before the show draws.
void ReseedFromClock(double demoClock);

// The frame driver's rules before the show draws a frame of a fixed step: the generator seeded from the
// clock, then the clock advanced by the step.
void BeginSteppedFrame(DemoState& state, FrameRecord& frame, double step);

// Puts the show on frame `index` (1, 2, ...) of the grid of `step`, as a fresh start reaches it: its clocks
// fast-forwarded over the frames before, then BeginSteppedFrame. The caller sets the frame's spectrum and
// draws it (DrawShowFrame).
void EnterGridFrame(ShowObject& show, DemoState& state, FrameRecord& frame, long long index, double step);

// Sets the GL state every frame starts with (additive blending, multisampling on) and draws the show's frame
// into the target, when there is a show. Leaves state.frameDelta modulated.
void DrawShowFrame(ShowObject* show, DemoState& state, FrameRecord& frame, OffscreenTarget& target);

// Multiplies every pixel of the current framebuffer by (1 - level), leaving all GL state as found.
void DarkenPicture(double level);

FrameOutcome RunFrame(FrameContext& context);

// One turn of a live host's loop, once its events are handled: the frame (while the window is active; the
// rehearsal's frame in rehearsal mode), the keys spent, and the picture presented, letterboxed, into the
// window's framebuffer, with the rehearsal's overlay over it, and drawn. The host only swaps. EndProcess once
// the show is over.
FrameOutcome RunLiveFrame(FrameContext& context);
