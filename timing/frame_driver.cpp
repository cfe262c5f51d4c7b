#include "timing/frame_driver.h"

#include <algorithm>
#include <cstring>

#include "effects/random.h"
#include "render/gl_api.h"
#include "render/overlay.h"

namespace {

constexpr double kSyncStop = 230.0;
constexpr double kSyncTail = 5.0;
constexpr int kDiscardedDraws = 50;

void FollowMusic(DemoState& state, MusicPlayer& music) {
  RandomSeed(ClockSeed(state.demoClock));
  for (int i = 0; i < kDiscardedDraws; ++i) RandomRaw();
  const uint32_t frequency = music.Frequency();
  const double musicTime = MusicSeconds(music.Position(), frequency);
  const double musicLength = MusicSeconds(music.Length(), frequency);
  state.frameDelta =
      MusicCorrectedStep(state.frameDelta, state.demoClock, musicTime, musicLength, state.musicSync);
}

}  // namespace

void DarkenPicture(double level) {
  BeginOverlay();
  glEnable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_SRC_COLOR);
  const float keep = static_cast<float>(1.0 - level);
  glColor4f(keep, keep, keep, keep);
  DrawViewportQuad();
  EndOverlay();
}

double TimerStep(double now, double lastReading) {
  return std::max(now - lastReading, 0.0);
}

double MusicSeconds(uint32_t samples, uint32_t frequency) {
  return frequency == 0 ? 0.0 : double(samples) / double(frequency);
}

double MusicCorrectedStep(double step, double demoClock, double musicTime, double musicLength,
                          bool& musicSync) {
  if (musicLength - kSyncTail < musicTime) musicSync = false;
  const double correction = demoClock > kSyncStop ? 0.0 : (musicTime - demoClock) * double(0.1f);
  return musicSync ? step + correction : step;
}

uint32_t ClockSeed(double demoClock) {
  return static_cast<uint32_t>(static_cast<int32_t>(demoClock * 1000000.0));
}

double ClosingFadeLevel(double demoClock, double endStart, double fadeRate, bool musicSync) {
  if (musicSync) return 1.0;
  return std::clamp((demoClock - endStart) * fadeRate, 0.0, 1.0);
}

int FadeVolume(double level) {
  return static_cast<int>(255.0 - 255.0 * level);
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

  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_MULTISAMPLE);
  if (context.show) context.show->ShowFrame(state.frameDelta, context.target, state, context.frame);

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
