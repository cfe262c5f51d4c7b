#include "show/frame_driver.h"

#include <cstring>

#include "math/random.h"
#include "render/batched/batched_gl.h"
#include "render/gl_api.h"
#include "render/overlay.h"
#include "show/rehearsal.h"

namespace {

constexpr int kDiscardedDraws = 50;

void FollowMusic(DemoState& state, MusicPlayer& music) {
  ReseedFromClock(state.demoClock);
  const uint32_t frequency = music.Frequency();
  const double musicTime = MusicSeconds(music.Position(), frequency);
  const double musicLength = MusicSeconds(music.Length(), frequency);
  state.frameDelta =
      MusicCorrectedStep(state.frameDelta, state.demoClock, musicTime, musicLength, state.musicSync);
}

}  // namespace

void ReseedFromClock(double demoClock) {
  RandomSeed(ClockSeed(demoClock));
  for (int i = 0; i < kDiscardedDraws; ++i) RandomRaw();
}

void BeginSteppedFrame(DemoState& state, FrameRecord& frame, double step) {
  ReseedFromClock(state.demoClock);
  state.frameDelta = step;
  frame.adjust = {0.0, 0.0, 0.0};
  state.demoClock += state.frameDelta;
}

void EnterGridFrame(ShowObject& show, DemoState& state, FrameRecord& frame, long long index, double step) {
  show.FastForward(state.demoClock, index - 1, step);
  BeginSteppedFrame(state, frame, step);
}

void DrawShowFrame(ShowObject* show, DemoState& state, FrameRecord& frame, OffscreenTarget& target) {
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_MULTISAMPLE);
  if (show) show->ShowFrame(state.frameDelta, target, state, frame);
}

void DarkenPicture(double level) {
  BeginOverlay();
  glEnable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_SRC_COLOR);
  const float keep = static_cast<float>(1.0 - level);
  glColor4f(keep, keep, keep, keep);
  DrawViewportQuad();
  EndOverlay();
}

FrameOutcome RunFrame(FrameContext& context) {
  DemoState& state = context.state;
  const bool musicOn = state.setup.musicOn;
  const double now = ReadClock(context.clock);
  state.frameDelta = TimerStep(now, state.lastTimerReading);
  state.lastTimerReading = now;
  if (musicOn) FollowMusic(state, context.music);

  context.frame.adjust = {0.0, 0.0, 0.0};
  state.demoClock += state.frameDelta;
  if (musicOn)
    std::memcpy(context.frame.spectrum.data(), context.music.Spectrum(), sizeof context.frame.spectrum);

  DrawShowFrame(context.show.get(), state, context.frame, context.target);

  if (state.demoClock > kShowEnd) return FrameOutcome::EndProcess;

  if (state.endingStarted) {
    const double level =
        ClosingFadeLevel(state.demoClock, state.endStart, state.setup.fadeRate, state.musicSync);
    if (musicOn) context.music.SetVolume(FadeVolume(level));
    DarkenPicture(level);
    if (level > 0.999) {
      context.host.CopyTextToClipboard(state.captureText);
      if (musicOn) context.music.Close();
      context.host.CloseMainWindow();
      context.show.reset();
      return FrameOutcome::EndProcess;
    }
  }
  return FrameOutcome::Continue;
}

FrameOutcome RunLiveFrame(FrameContext& context) {
  DemoState& state = context.state;
  if (state.windowActive) {
    const FrameOutcome outcome = context.rehearsal ? context.rehearsal->RunFrame(context) : RunFrame(context);
    if (outcome == FrameOutcome::EndProcess) return FrameOutcome::EndProcess;
  }
  state.SpendFrameKeys();
  PresentOffscreenTarget(context.target, 0, state.window.clientWidth, state.window.clientHeight);
  if (context.rehearsal) {
    context.rehearsal->DrawOverlay(state, context.show.get(), state.window.clientWidth,
                                   state.window.clientHeight);
  }
  FlushBatchedGl();
  return FrameOutcome::Continue;
}
