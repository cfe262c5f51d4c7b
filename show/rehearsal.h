// Rehearsal: the viewer's hold on the show's time. Pause and resume, jumps of a second or ten, the start and
// the last five seconds, single frames while paused, a screenshot of the picture and an overlay that says
// where the show is.
//
// A jump or a pause lands on the frame grid of velmora-frame's default step: the show's clocks are fast
// forwarded from the start over the frames before and the landing frame is drawn as a fresh start draws it,
// with the spectrum of the music at its demo clock. So the picture at a landing is, vertex for vertex, the
// frame velmora-frame draws at that clock, however the viewer got there; playing on from it, the clock
// follows the music again. The host hands the commands in (keys, the web page's seek bar); the frame
// function applies them in the order given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "show/frame_driver.h"

// The grid that landings lie on: the frames of a 60 Hz display.
constexpr double kGridStep = 1.0 / 60.0;
// Where End jumps to: this many seconds before the show's end.
constexpr double kEndLead = 5.0;

enum class RehearsalCommand {
  TogglePause,
  BackSecond,
  ForwardSecond,
  BackTen,
  ForwardTen,
  ToStart,
  ToEnd,
  StepBack,     // one frame, while paused
  StepForward,  // one frame, while paused
  Screenshot,
  ToggleOverlay,
};

// The command of a virtual key (Space, arrows, Page Up/Down, Home, End, S, T); nothing for other keys.
std::optional<RehearsalCommand> RehearsalKeyCommand(int virtualKey);

// The last grid frame the show draws before it ends by itself.
long long LastGridFrame();

// The grid frame nearest a demo clock, kept within the frames the show draws (1 ... LastGridFrame).
long long GridFrameNear(double demoClock);

// Where a jump or a frame step from a demo clock lands, as a grid frame; the clock for other commands.
long long LandingFrame(double demoClock, RehearsalCommand command);

// The overlay's cells: `scale` pixels each (the window's height over 360, at least 1), its box inset by
// kOverlayInset cells from the window's top-left corner.
constexpr int kOverlayInset = 4;
int OverlayScale(int windowHeight);

// The screenshot's file name for a demo clock: "velmora-117.250.png".
std::string ScreenshotName(double demoClock);

class Rehearsal {
 public:
  void Press(RehearsalCommand command) { queued_.push_back({command, 0.0}); }
  // The seek bar: a jump to any demo clock (landing on the grid frame nearest it).
  void SeekTo(double demoClock) { queued_.push_back({std::nullopt, demoClock}); }

  bool Paused() const { return paused_; }
  bool OverlayShown() const { return overlayShown_; }

  // One frame in place of RunFrame: the commands given since the last one applied, then the landing frame
  // drawn, the picture held while paused, or the show run on. Escape resumes a paused show so that the
  // closing fade runs as in the player; once it runs, commands are dropped.
  FrameOutcome RunFrame(FrameContext& context);

  // Whether the viewer asked for a screenshot since the last call; the host writes the target's pixels to
  // ScreenshotName(state.demoClock).
  bool TakeScreenshotRequest();

  // The overlay's lines: demo clock, show time, frames a second, the timeline rows drawn in the last frame.
  std::vector<std::string> OverlayLines(const DemoState& state, const ShowObject* show) const;

  // Draws the overlay, when shown, into the current framebuffer of width x height pixels.
  void DrawOverlay(const DemoState& state, const ShowObject* show, int width, int height) const;

 private:
  struct Queued {
    std::optional<RehearsalCommand> command;  // nothing: a seek to `clock`
    double clock;
  };

  // Applies the queued commands in order: where they land, if anywhere.
  std::optional<long long> Landing(const DemoState& state);
  void Land(FrameContext& context, long long frame);
  void NoteFrameTime(double now);

  std::vector<Queued> queued_;
  bool paused_ = false;
  bool overlayShown_ = false;
  bool screenshotAsked_ = false;
  double lastFrameAt_ = -1.0;
  double framesPerSecond_ = 0.0;
};
