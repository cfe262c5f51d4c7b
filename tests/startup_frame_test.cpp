#include <algorithm>
#include <cmath>

#include "render/gl_api.h"
#include "shell/startup.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"
#include "timing/frame_driver.h"

namespace {

class FakeHost : public FrameHost {
 public:
  void CopyTextToClipboard(const std::string& text) override { clipboard.push_back(text); }
  void CloseMainWindow() override { ++closed; }
  std::vector<std::string> clipboard;
  int closed = 0;
};

class StartUpAndFrame : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    state.setup.renderWidth = 160;
    state.setup.renderHeight = 90;
    state.setup.musicOn = false;
    state.cg.log = &cgCalls;
    startUpExit = InitRenderState(startUp);
  }
  void TearDown() override { ReleaseOffscreenTarget(target); }

  uint8_t CentreRed() {
    ResolveOffscreenTarget(target);
    glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
    uint8_t pixel[4] = {};
    glReadPixels(80, 45, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0];
  }

  DemoState state;
  FrameRecord frame;
  OffscreenTarget target;
  DemoClock clock;
  RecordingMessages messages;
  std::vector<CgCall> cgCalls;
  FakeHost host;
  StartUpContext startUp{state, frame, target, clock, messages};
  FrameContext context{state, frame, target, clock, host};
  std::optional<int> startUpExit;
};

TEST_F(StartUpAndFrame, StartUpLeavesTheShowReadyToRun) {
  EXPECT_FALSE(startUpExit.has_value());
  EXPECT_TRUE(messages.shown.empty());  // llvmpipe is no slow card, and it multisamples
  EXPECT_EQ(target.width, 160);
  EXPECT_EQ(target.height, 90);
  EXPECT_EQ(state.demoClock, 0.0);
  ASSERT_FALSE(cgCalls.empty());
  EXPECT_EQ(cgCalls[0].op, CgOp::SetOptimalOptions);
  EXPECT_EQ(cgCalls[0].value, 7000);
}

TEST_F(StartUpAndFrame, FramesAdvanceTheClockAndEndPastTheShowsEnd) {
  frame.adjust = {1, 2, 3};
  EXPECT_EQ(RunFrame(context), FrameOutcome::Continue);
  EXPECT_GE(state.demoClock, 0.0);
  EXPECT_EQ(frame.adjust, (std::array<double, 3>{0, 0, 0}));

  state.demoClock = 236.8;
  state.lastTimerReading = 1e9;  // the timer "went back": a zero step keeps the clock at 236.8
  EXPECT_EQ(RunFrame(context), FrameOutcome::Continue);
  state.demoClock = std::nextafter(236.8, 300.0);
  EXPECT_EQ(RunFrame(context), FrameOutcome::EndProcess);
  EXPECT_EQ(host.closed, 0);
  EXPECT_TRUE(host.clipboard.empty());
}

TEST_F(StartUpAndFrame, EscapeWhileFollowingTheMusicEndsAtOnceWithTheCaptureText) {
  state.captureText = "Cam :0.,0.,0.  \n";
  state.endingStarted = true;
  state.endStart = state.demoClock;
  EXPECT_EQ(RunFrame(context), FrameOutcome::EndProcess);
  EXPECT_EQ(host.clipboard, std::vector<std::string>{state.captureText});
  EXPECT_EQ(host.closed, 1);
}

TEST_F(StartUpAndFrame, TheClosingFadeDarkensThePictureJustDrawn) {
  state.musicSync = false;
  state.endingStarted = true;
  state.demoClock = 232.0;
  state.endStart = 232.0 - 0.625;  // half way through a 1.25 s fade
  glClearColor(1, 1, 1, 1);
  EXPECT_EQ(RunFrame(context), FrameOutcome::Continue);
  EXPECT_NEAR(CentreRed(), 127, 2);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));  // the fade's blend state was restored

  state.endStart = 232.0 - 2.0;
  EXPECT_EQ(RunFrame(context), FrameOutcome::EndProcess);
  EXPECT_EQ(host.closed, 1);
}

}  // namespace
