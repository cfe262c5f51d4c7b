#include "timing/frame_driver.h"

#include <algorithm>

#include "render/gl_api.h"
#include "render/overlay.h"

namespace {

// Until the show object exists, a frame is the cleared target.
void DrawShowFrame(FrameContext& context) {
  MakeOffscreenTargetCurrent(context.target);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Multiplies every pixel of the current target by (1 - level), leaving all GL state as found.
void DarkenPicture(double level) {
  BeginOverlay();
  glEnable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_SRC_COLOR);
  const float keep = static_cast<float>(1.0 - level);
  glColor4f(keep, keep, keep, keep);
  DrawViewportQuad();
  EndOverlay();
}

}  // namespace

double TimerStep(double now, double lastReading) {
  return std::max(now - lastReading, 0.0);
}

double ClosingFadeLevel(double demoClock, double endStart, double fadeRate, bool musicSync) {
  if (musicSync) return 1.0;
  return std::clamp((demoClock - endStart) * fadeRate, 0.0, 1.0);
}

FrameOutcome RunFrame(FrameContext& context) {
  DemoState& state = context.state;
  const double now = ReadClock(context.clock);
  state.frameDelta = TimerStep(now, state.lastTimerReading);
  state.lastTimerReading = now;

  context.frame.adjust = {0.0, 0.0, 0.0};
  state.demoClock += state.frameDelta;

  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_MULTISAMPLE);
  DrawShowFrame(context);

  if (state.demoClock > kShowEnd) return FrameOutcome::EndProcess;

  if (state.endingStarted) {
    const double level =
        ClosingFadeLevel(state.demoClock, state.endStart, state.setup.fadeRate, state.musicSync);
    DarkenPicture(level);
    if (level > 0.999) {
      context.host.CopyTextToClipboard(state.captureText);
      context.host.CloseMainWindow();
      return FrameOutcome::EndProcess;
    }
  }
  return FrameOutcome::Continue;
}
