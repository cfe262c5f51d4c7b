#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "scenes/scene_director.h"
#include "show/frame_renderer.h"
#include "show/rehearsal.h"
#include "show/startup.h"
#include "tests/fake_music_player.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"
#include "tests/scratch_pack.h"

namespace {

using enum RehearsalCommand;

// The demo clock of a grid frame, reached as the show's clocks reach it.
double GridClock(long long frame) {
  ShowObject clocks;
  double demoClock = 0.0;
  clocks.FastForward(demoClock, frame, kGridStep);
  return demoClock;
}

TEST(RehearsalLandings, StayOnTheFramesTheShowDrawsFromEitherEnd) {
  const long long last = LastGridFrame();
  double clock = 0.0;
  for (long long frame = 0; frame < last; ++frame) clock += kGridStep;
  EXPECT_LE(clock, kShowEnd);  // the show draws the last frame, and ends instead of drawing one more
  EXPECT_GT(clock + kGridStep, kShowEnd);

  EXPECT_EQ(LandingFrame(0.5, BackSecond), 1);  // before 0: the first frame
  EXPECT_EQ(LandingFrame(-3.0, StepBack), 1);
  EXPECT_EQ(LandingFrame(200.0, ToStart), 1);
  EXPECT_EQ(LandingFrame(kShowEnd - 0.2, ForwardTen), last);  // past the end: the last frame
  EXPECT_EQ(LandingFrame(kShowEnd, StepForward), last);
  EXPECT_EQ(LandingFrame(3.0, ToEnd), 13908);  // 231.8 s
  EXPECT_EQ(LandingFrame(117.25, BackTen), 6435);
  EXPECT_EQ(LandingFrame(117.254, StepForward), 7036);  // from the nearest frame, 7035
  EXPECT_EQ(LandingFrame(117.25, ForwardSecond), 7095);
  EXPECT_EQ(ScreenshotName(117.25), "velmora-117.250.png");
}

// The live show started where the frame renderer's reference frames are drawn in silence, as the fake
// player's spectrum is.
class RehearsalTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    pack.emplace();
    clock.counter = [] { return gNow; };
    gNow = 0;
    state.setup.renderWidth = 64;
    state.setup.renderHeight = 36;
    ASSERT_FALSE(InitRenderState(startUp));
    reference = FrameRenderer::Create(64, 36, kGridStep, messages);
    ASSERT_NE(reference, nullptr);
  }
  void TearDown() override { ReleaseOffscreenTarget(target); }

  // Lets `seconds` pass on the timer, then runs one rehearsal frame.
  void Frame(double seconds = 1.0 / 60.0) {
    gNow += int64_t(std::llround(seconds * 1e9));
    ASSERT_EQ(rehearsal.RunFrame(context), FrameOutcome::Continue);
  }

  // Whether the picture, the clocks and the rows drawn are those of a fresh start's grid frame.
  void ExpectFreshStartsFrame(long long frame) {
    reference->RenderAt(double(frame) * kGridStep);
    EXPECT_EQ(ReadOffscreenPixels(target), reference->ReadPixels()) << frame;
    EXPECT_EQ(state.demoClock, GridClock(frame));
    EXPECT_EQ(show->showTime, reference->Show().showTime) << frame;
    for (int row = 0; row < kMostLayerRows; ++row)
      EXPECT_EQ(show->layersDrawn.Test(row), reference->Show().layersDrawn.Test(row)) << row;
  }

  uint32_t SampleOfClock() const { return uint32_t(std::llround(state.demoClock * 44100)); }

  static inline int64_t gNow = 0;
  std::optional<ScratchPack> pack;
  DemoState state;
  FrameRecord frame;
  OffscreenTarget target;
  DemoClock clock;
  RecordingMessages messages;
  FakeMusicPlayer music;
  std::unique_ptr<ShowObject> show;
  StartUpContext startUp{state, frame, target, clock, messages, show, music, nullptr};
  struct : FrameHost {
    void CopyTextToClipboard(const std::string&) override {}
    void CloseMainWindow() override {}
  } host;
  Rehearsal rehearsal;
  FrameContext context{state, frame, target, clock, music, host, show, &rehearsal};
  std::unique_ptr<FrameRenderer> reference;
};

TEST_F(RehearsalTest, AfterAnyJumpsTheLandingIsAFreshStartsFrameAndTheMusicGoesThere) {
  for (int i = 0; i < 5; ++i) Frame();
  rehearsal.SeekTo(200.0);
  Frame();
  ExpectFreshStartsFrame(12000);
  for (int i = 0; i < 18; ++i) rehearsal.Press(BackTen);
  rehearsal.Press(ForwardSecond);
  Frame();
  ExpectFreshStartsFrame(1260);  // 21 s
  EXPECT_EQ(music.spectrumAt.back(), SampleOfClock());
  EXPECT_EQ(music.seeks.back(), SampleOfClock());
  EXPECT_EQ(music.seeks.size(), 2u);

  music.SetSeconds(state.demoClock + 0.5);  // playing on, the clock follows the music again
  const double landed = state.demoClock;
  Frame(0.1);
  EXPECT_NEAR(state.demoClock, landed + 0.1 * 1.004 + 0.05, 0.01);
}

TEST_F(RehearsalTest, FrameStepsWhilePausedCrossTheHalvesBoundaryExactly) {
  ShowObject clocks;  // the first grid frame whose show time is in the second half
  double demoClock = 0.0;
  long long secondHalf = 1;
  for (;; ++secondHalf) {
    clocks.FastForward(demoClock, secondHalf, kGridStep);
    if (clocks.showTime > kSecondHalfStart) break;
  }
  rehearsal.Press(TogglePause);
  rehearsal.SeekTo(double(secondHalf) * kGridStep);
  Frame();
  EXPECT_TRUE(rehearsal.Paused());
  EXPECT_EQ(music.pauses, 1);
  ExpectFreshStartsFrame(secondHalf);
  const auto overlayRows = [this] {
    const auto lines = rehearsal.OverlayLines(state, show.get());
    return std::accumulate(lines.begin(), lines.end(), std::string(), [](auto all, auto& line) {
      return all + (line.starts_with("CLOCK") || line.starts_with("SHOW") ? "" : line + " ");
    });
  };
  constexpr int kLastGlyphOfTheFirstHalf = 79;
  EXPECT_EQ(overlayRows().find(" 79 "), std::string::npos);

  rehearsal.Press(StepBack);
  Frame();
  ExpectFreshStartsFrame(secondHalf - 1);
  EXPECT_TRUE(show->layersDrawn.Test(kLastGlyphOfTheFirstHalf));
  EXPECT_NE(overlayRows().find(" 79 "), std::string::npos);
  EXPECT_NE(overlayRows().find("PAUSED"), std::string::npos);
  rehearsal.Press(StepForward);
  Frame();
  ExpectFreshStartsFrame(secondHalf);
  EXPECT_TRUE(music.seeks.empty());  // paused all along
}

TEST_F(RehearsalTest, PauseHoldsTheClockAndPlayResumesAtItsSampleWithoutAJump) {
  for (int i = 0; i < 3; ++i) Frame();
  rehearsal.Press(TogglePause);
  Frame();
  const double paused = state.demoClock;
  EXPECT_EQ(paused, GridClock(GridFrameNear(paused)));  // a paused picture is a grid frame
  rehearsal.Press(StepForward);
  rehearsal.Press(StepBack);
  Frame(1.0);
  Frame(1.0);
  EXPECT_EQ(state.demoClock, paused);

  rehearsal.Press(TogglePause);
  music.SetSeconds(paused);
  Frame(5.0);  // the seconds spent paused are not played on
  EXPECT_EQ(music.seeks, std::vector<uint32_t>{SampleOfClock()});
  EXPECT_NEAR(state.demoClock, paused, 0.001);
  rehearsal.Press(StepForward);  // no frame steps while playing
  Frame(0.02);
  EXPECT_NEAR(state.demoClock, paused + 0.02 * 1.004, 0.002);
  EXPECT_EQ(music.seeks.size(), 1u);
}

TEST_F(RehearsalTest, EscapeWhilePausedRunsTheClosingFadeAndDropsLaterCommands) {
  rehearsal.Press(TogglePause);
  Frame();
  state.musicSync = false;  // past the music's sync, Escape fades out rather than ending at once
  state.SetKey(kVkEscape, true);
  state.SpendFrameKeys();
  rehearsal.Press(ForwardTen);
  const double before = state.demoClock;
  Frame(0.1);
  EXPECT_FALSE(rehearsal.Paused());
  EXPECT_LT(state.demoClock, before + 1.0);
  EXPECT_EQ(music.seeks.size(), 1u);  // the music resumed where the picture is, and fades with it
  EXPECT_FALSE(music.volumes.empty());
}

}  // namespace
