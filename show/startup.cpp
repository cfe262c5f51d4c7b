#include "show/startup.h"

#include <cmath>

#include "render/gl_api.h"
#include "state/card_check.h"

namespace {

// The frames a show started later than its beginning runs through without drawing: those of a 60 Hz display.
constexpr double kFastForwardStep = 1.0 / 60.0;

// The show object and its set-up: assets (textures, shapes, logo) and the start-up curves. False when an
// asset file is missing or unusable.
bool SetUpShow(StartUpContext& context) {
  context.show = std::make_unique<ShowObject>();
  return context.show->SetUp(context.state, context.messages);
}

// Loads the music and starts it at the demo clock; frames stop waiting for the vertical retrace.
std::optional<int> StartMusic(StartUpContext& context) {
  MusicPlayer& music = context.music;
  if (!music.Init()) {
    context.messages.Show(messages::kSoundInitFailed);
    return 1;
  }
  if (!music.Load(kMusicFile)) {
    context.messages.Show(messages::kNoSoundFile);
    return 0;
  }
  if (context.stopWaitingForVsync) context.stopWaitingForVsync();
  music.Play(uint32_t(std::llround(context.state.demoClock * music.Frequency())));
  return std::nullopt;
}

}  // namespace

bool CreateShowTarget(OffscreenTarget& target, int width, int height, MessageSink& messages) {
  const OffscreenOutcome outcome = CreateOffscreenTarget(target, width, height, QueryOffscreenSupport());
  if (outcome != OffscreenOutcome::Multisampled) messages.Show(messages::kNoFsaa);
  if (outcome == OffscreenOutcome::Failed) messages.Show(messages::kNoOffscreenTarget);
  return outcome != OffscreenOutcome::Failed;
}

void ApplyRenderDefaults(DemoState& state) {
  ResetContextState();
  CgSetOptimalOptions(state.cg, kCgProfileArbFp1);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

std::optional<int> InitRenderState(StartUpContext& context) {
  ApplyRenderDefaults(context.state);
  return StartUp(context);
}

std::optional<int> StartUp(StartUpContext& context) {
  DemoState& state = context.state;
  if (!CreateShowTarget(context.target, state.setup.renderWidth, state.setup.renderHeight,
                        context.messages)) {
    return 0;
  }
  CheckGraphicsCard(context.messages);
  state.captureText.clear();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  state.textures.offset = 0;
  state.textures.compression = true;
  state.textures.mipmaps = false;

  if (!SetUpShow(context)) return 0;
  state.demoClock = 0.0;
  const long long skipped = std::llround(state.setup.startAt / kFastForwardStep);
  if (skipped > 0) context.show->FastForward(state.demoClock, skipped, kFastForwardStep);
  if (state.setup.musicOn) {
    if (auto exitCode = StartMusic(context)) return exitCode;
  }

  ResetClock(context.clock);
  state.lastTimerReading = ReadClock(context.clock);
  context.frame.capturePoint = {0.0, 0.0, 0.0};
  return std::nullopt;
}
