#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "math/random.h"
#include "render/gl_api.h"
#include "show/frame_driver.h"
#include "show/startup.h"
#include "state/virtual_keys.h"
#include "timing/frame_timing.h"
#include "tests/asset_files.h"
#include "tests/fake_music_player.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

namespace fs = std::filesystem;

int64_t gNowNanoseconds = 0;
int64_t ScriptedCounter() {
  return gNowNanoseconds;
}

class FakeHost : public FrameHost {
 public:
  void CopyTextToClipboard(const std::string& text) override { clipboard.push_back(text); }
  void CloseMainWindow() override { ++closed; }
  std::vector<std::string> clipboard;
  int closed = 0;
};

// Start-up runs in a scratch directory holding a tiny asset pack.
class FrameDriverTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    previous = fs::current_path();
    directory = fs::temp_directory_path() / ("velmora-frames-" + std::to_string(getpid()));
    test_assets::WriteTinyPack(directory);
    fs::current_path(directory);
  }
  void TearDown() override {
    ReleaseOffscreenTarget(target);
    if (!previous.empty()) fs::current_path(previous);
    fs::remove_all(directory);
  }

  std::optional<int> StartUp(bool musicOn) {
    gNowNanoseconds = 0;
    clock.counter = ScriptedCounter;
    state.setup.renderWidth = 160;
    state.setup.renderHeight = 90;
    state.setup.musicOn = musicOn;
    state.cg.log = &cgCalls;
    return InitRenderState(startUp);
  }

  // Lets `seconds` pass on the timer, then runs one frame.
  FrameOutcome Frame(double seconds) {
    gNowNanoseconds += int64_t(std::llround(seconds * 1e9));
    return RunFrame(context);
  }

  uint8_t CentreRed() {
    ResolveOffscreenTarget(target);
    glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
    uint8_t pixel[4] = {};
    glReadPixels(80, 45, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0];
  }

  fs::path previous, directory;
  DemoState state;
  FrameRecord frame;
  OffscreenTarget target;
  DemoClock clock;
  RecordingMessages messages;
  FakeMusicPlayer music;
  bool vsyncStopped = false;
  std::vector<CgCall> cgCalls;
  FakeHost host;
  std::unique_ptr<ShowObject> show;
  StartUpContext startUp{state, frame, target, clock, messages, show, music, [this] { vsyncStopped = true; }};
  FrameContext context{state, frame, target, clock, music, host, show};
};

TEST_F(FrameDriverTest, StartUpLoadsAndStartsTheMusicThenTheClock) {
  EXPECT_FALSE(StartUp(true).has_value());
  EXPECT_TRUE(messages.shown.empty());  // llvmpipe is no slow card, and it multisamples
  EXPECT_EQ(music.loaded, "music//Tessaly - Slow Orbit.mp3");
  EXPECT_EQ(music.plays, 1);
  EXPECT_TRUE(vsyncStopped);
  EXPECT_EQ(state.demoClock, 0.0);
  EXPECT_EQ(target.width, 160);
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->showTime, -3.0);
  EXPECT_EQ(show->fastTime, -0.3);
  EXPECT_NE(state.textures.names[24], 0u);
  EXPECT_EQ(show->curves.logoCurves.size(), 2u);
  ASSERT_FALSE(cgCalls.empty());
  EXPECT_EQ(cgCalls[0].op, CgOp::SetOptimalOptions);
  EXPECT_EQ(cgCalls[0].value, 7000);
}

TEST_F(FrameDriverTest, NoSoundDeviceEndsWithCodeOneAndAMissingFileWithZero) {
  music.initWorks = false;
  EXPECT_EQ(StartUp(true), 1);
  EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(messages::kSoundInitFailed.text)});
  ReleaseOffscreenTarget(target);

  music.initWorks = true;
  music.loadWorks = false;
  messages.shown.clear();
  EXPECT_EQ(StartUp(true), 0);
  EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(messages::kNoSoundFile.text)});
  EXPECT_EQ(music.plays, 0);
}

TEST_F(FrameDriverTest, AMissingAssetEndsStartUpBeforeTheMusic) {
  fs::remove("textures/floor.jpg");
  EXPECT_EQ(StartUp(true), 0);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"textures/floor.jpg"});
  EXPECT_EQ(music.calls, 0);
}

TEST_F(FrameDriverTest, TheClockClosesATenthOfItsDistanceToTheMusicEachFrame) {
  ASSERT_FALSE(StartUp(true).has_value());
  music.SetSeconds(2.0);  // the music is 2 s ahead
  Frame(0.016);
  EXPECT_NEAR(state.demoClock, 0.016 + 0.2, 1e-6);

  state.demoClock = 231.0;  // past 230 s: timer steps only
  music.SetSeconds(233.0);
  Frame(0.016);
  EXPECT_NEAR(state.demoClock, 231.016, 1e-9);
  EXPECT_TRUE(state.musicSync);
}

TEST_F(FrameDriverTest, TheLastFiveSecondsOfMusicEndTheSyncForGood) {
  ASSERT_FALSE(StartUp(true).has_value());
  state.demoClock = 100.0;
  music.SetSeconds(235.5);
  Frame(0.02);
  EXPECT_FALSE(state.musicSync);
  EXPECT_NEAR(state.demoClock, 100.02, 1e-9);
  music.SetSeconds(100.0);  // even if the position went back
  Frame(0.02);
  EXPECT_FALSE(state.musicSync);
}

TEST_F(FrameDriverTest, EachFrameWithMusicReseedsFromTheClockAndCopiesTheSpectrum) {
  ASSERT_FALSE(StartUp(true).has_value());
  state.demoClock = 1.5;
  music.SetSeconds(1.5);
  music.spectrum[2] = 0.75f;
  music.spectrum[511] = 0.25f;
  show.reset();  // the show's camera reseeds too: look at the driver alone
  Frame(0.0);
  const uint32_t afterFrame = RandomState();
  RandomSeed(1500000);
  for (int i = 0; i < 50; ++i) RandomRaw();
  EXPECT_EQ(afterFrame, RandomState());
  EXPECT_EQ(frame.spectrum[2], 0.75f);
  EXPECT_EQ(frame.spectrum[511], 0.25f);
}

TEST_F(FrameDriverTest, TheFrameThatPassesTheEndIsNeverShown) {
  ASSERT_FALSE(StartUp(true).has_value());
  state.demoClock = 236.7;
  music.SetSeconds(236.7);
  EXPECT_EQ(Frame(0.09), FrameOutcome::Continue);  // 236.79
  EXPECT_EQ(Frame(0.02), FrameOutcome::EndProcess);
  EXPECT_TRUE(host.clipboard.empty());
  EXPECT_EQ(host.closed, 0);
  EXPECT_EQ(music.closes, 0);
}

TEST_F(FrameDriverTest, EscapeWhileFollowingTheMusicEndsOnTheNextFrame) {
  ASSERT_FALSE(StartUp(true).has_value());
  state.demoClock = 200.0;
  music.SetSeconds(200.0);
  state.captureText = "Cam :0.,0.,0.  \n";
  state.endingStarted = true;
  state.endStart = 200.0;
  EXPECT_EQ(Frame(0.016), FrameOutcome::EndProcess);
  EXPECT_EQ(music.volumes, std::vector<int>{0});
  EXPECT_EQ(host.clipboard, std::vector<std::string>{state.captureText});
  EXPECT_EQ(music.closes, 1);
  EXPECT_EQ(host.closed, 1);
  EXPECT_EQ(show, nullptr);
}

TEST_F(FrameDriverTest, EscapeInTheLastSecondsFadesPictureAndSoundOver125Seconds) {
  ASSERT_FALSE(StartUp(true).has_value());
  state.demoClock = 232.0;
  state.musicSync = false;
  music.SetSeconds(236.0);
  state.endingStarted = true;
  state.endStart = 232.0;
  EXPECT_EQ(Frame(0.625), FrameOutcome::Continue);
  EXPECT_EQ(music.volumes.back(), 127);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));  // the fade's state was restored

  EXPECT_EQ(Frame(0.7), FrameOutcome::EndProcess);
  EXPECT_EQ(music.volumes.back(), 0);
  EXPECT_EQ(music.closes, 1);
  EXPECT_EQ(host.closed, 1);
}

// Escape held down across frames, through the key latch as the live loop spends it: the fade starts at the
// first frame it is seen and runs on from there, not restarted while the key stays down.
TEST_F(FrameDriverTest, EscapeHeldAcrossFramesStartsTheFadeOnce) {
  ASSERT_FALSE(StartUp(true).has_value());
  state.demoClock = 232.0;
  state.musicSync = false;
  music.SetSeconds(236.0);
  state.SetKey(kVkEscape, true);
  const auto liveTurn = [this](double seconds) {
    const FrameOutcome outcome = Frame(seconds);
    state.SpendFrameKeys();
    return outcome;
  };
  EXPECT_EQ(liveTurn(0.1), FrameOutcome::Continue);
  ASSERT_TRUE(state.endingStarted);
  const double start = state.endStart;
  EXPECT_NEAR(start, 232.1, 0.01);
  EXPECT_TRUE(music.volumes.empty());  // the fade runs from the next frame
  EXPECT_EQ(liveTurn(0.4), FrameOutcome::Continue);
  EXPECT_EQ(liveTurn(0.4), FrameOutcome::Continue);
  EXPECT_EQ(state.endStart, start);
  EXPECT_EQ(music.volumes.back(), FadeVolume((state.demoClock - start) * state.setup.fadeRate));
  EXPECT_EQ(liveTurn(0.6), FrameOutcome::EndProcess);
}

// Start-up leaves the GL state every frame starts from, whatever the context held before; making the
// offscreen target, which start-up does after the defaults, must not undo them.
TEST_F(FrameDriverTest, StartUpLeavesTheStateEveryFrameStartsFrom) {
  glDisable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glShadeModel(GL_FLAT);
  glClearColor(1, 1, 1, 1);
  glClearDepth(0.25);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glEnable(GL_BLEND);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  ASSERT_FALSE(StartUp(false).has_value());
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_DITHER));
  GLint value = 0;
  glGetIntegerv(GL_PACK_ALIGNMENT, &value);
  EXPECT_EQ(value, 4);
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LEQUAL);
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_SMOOTH);
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
  EXPECT_EQ(value, GL_NICEST);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{0, 0, 0, 0.5f}));
  GLfloat depth = 0;
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
  EXPECT_EQ(depth, 1.0f);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
  EXPECT_EQ(value, GL_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
  EXPECT_EQ(value, GL_LINEAR);
}

TEST_F(FrameDriverTest, DarkeningScalesEveryPixelAndRestoresTheState) {
  ASSERT_FALSE(StartUp(false).has_value());
  MakeOffscreenTargetCurrent(target);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  DarkenPicture(0.5);
  EXPECT_NEAR(CentreRed(), 127, 2);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(FrameDriverTest, EachFrameAdvancesTheShowTimeAndWritesItBack) {
  ASSERT_FALSE(StartUp(false).has_value());
  Frame(0.5);
  EXPECT_NEAR(show->showTime, -3.0 + 0.5 * 1.004, 1e-9);
  EXPECT_EQ(frame.showTime, show->showTime);
  EXPECT_NEAR(show->fastTime, -0.3 + 0.75, 1e-9);
  EXPECT_NEAR(state.frameDelta, 0.5 * 1.004, 1e-9);  // the step leaves modulated
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  GLint depth = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 0);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
}

TEST_F(FrameDriverTest, WithMusicOffNothingIsAskedOfTheSoundSystem) {
  ASSERT_FALSE(StartUp(false).has_value());
  EXPECT_FALSE(vsyncStopped);
  show.reset();  // the show's camera reseeds: look at the driver alone
  RandomSeed(77);
  Frame(0.02);
  EXPECT_NEAR(state.demoClock, 0.02, 1e-9);
  EXPECT_EQ(RandomState(), 77u);  // not reseeded
  state.endingStarted = true;
  EXPECT_EQ(Frame(0.02), FrameOutcome::EndProcess);  // no music: the sync never ends, Escape is immediate
  EXPECT_EQ(host.closed, 1);
  EXPECT_EQ(music.calls, 0);  // not even a close
}

}  // namespace
