#include <array>
#include <cmath>
#include <numbers>
#include <cstdlib>
#include <vector>

#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "show/startup.h"
#include "state/viewport.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

using Rgba = std::array<uint8_t, 4>;

// A framebuffer standing in for a window's back buffer.
struct FakeWindow {
  FakeWindow(int width, int height) : width(width), height(height) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
  }
  ~FakeWindow() {
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
  }
  Rgba Pixel(int x, int y) const {
    Rgba pixel{};
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
  }
  int width, height;
  GLuint texture = 0, framebuffer = 0;
};

// Left half red, right half green.
void DrawTwoHalves(const OffscreenTarget& target) {
  MakeOffscreenTargetCurrent(target);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, target.width / 2, target.height);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glScissor(target.width / 2, 0, target.width - target.width / 2, target.height);
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
}

const Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlack{0, 0, 0, 255};

// Presents a 64 x 36 (16:9) two-halves picture into an 80 x 80 window: 80 x 45 picture, bars of 17 and 18
// rows.
void ExpectLetterboxedTwoHalves(const OffscreenTarget& target) {
  DrawTwoHalves(target);
  FakeWindow window(80, 80);
  PresentOffscreenTarget(target, window.framebuffer, window.width, window.height);
  EXPECT_EQ(window.Pixel(40, 5), kBlack);
  EXPECT_EQ(window.Pixel(40, 16), kBlack);
  EXPECT_EQ(window.Pixel(10, 18), kRed);
  EXPECT_EQ(window.Pixel(10, 40), kRed);
  EXPECT_EQ(window.Pixel(70, 40), kGreen);
  EXPECT_EQ(window.Pixel(70, 61), kGreen);
  EXPECT_EQ(window.Pixel(40, 62), kBlack);
  EXPECT_EQ(window.Pixel(40, 79), kBlack);
}

TEST(Letterbox, FitsThePictureAndCentresIt) {
  auto expect = [](PixelRect r, int x, int y, int w, int h) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, w);
    EXPECT_EQ(r.height, h);
  };
  expect(LetterboxRect(1280, 720, 1280, 720), 0, 0, 1280, 720);
  expect(LetterboxRect(1024, 576, 1024, 768), 0, 96, 1024, 576);  // "Force 16:9" on a 4:3 mode
  expect(LetterboxRect(800, 600, 1920, 1080), 240, 0, 1440, 1080);
  expect(LetterboxRect(640, 360, 1280, 720), 0, 0, 1280, 720);
  expect(LetterboxRect(0, 360, 1280, 720), 0, 0, 0, 0);
  expect(LetterboxRect(640, 360, 1280, 0), 0, 0, 0, 0);
}

using OffscreenTargetTest = GlTest;

TEST_F(OffscreenTargetTest, MultisampledTargetIsResolvedAndLetterboxed) {
  OffscreenTarget target;
  ASSERT_EQ(CreateOffscreenTarget(target, 64, 36, QueryOffscreenSupport()), OffscreenOutcome::Multisampled);
  EXPECT_EQ(target.samples, 4);

  GLint samples = 0;
  glBindRenderbuffer(GL_RENDERBUFFER, target.colourBuffer);
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &samples);
  EXPECT_EQ(samples, 4);

  ExpectLetterboxedTwoHalves(target);
  ReleaseOffscreenTarget(target);
}

TEST_F(OffscreenTargetTest, PresentingLeavesTheFramesStateAlone) {
  OffscreenTarget target;
  ASSERT_EQ(CreateOffscreenTarget(target, 32, 32, QueryOffscreenSupport()), OffscreenOutcome::Multisampled);
  MakeOffscreenTargetCurrent(target);
  glEnable(GL_DEPTH_TEST);
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  glMatrixMode(GL_PROJECTION);
  FakeWindow window(16, 16);
  PresentOffscreenTarget(target, window.framebuffer, window.width, window.height);

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[1], 0.5f);
  GLint mode = 0, viewport[4];
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_PROJECTION);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 32);
  glMatrixMode(GL_MODELVIEW);
  ReleaseOffscreenTarget(target);
}

TEST_F(OffscreenTargetTest, WithoutMultisamplingFallsBackToOneSampleWithStencil) {
  OffscreenTarget target;
  ASSERT_EQ(CreateOffscreenTarget(target, 64, 36, OffscreenSupport{true, 0}),
            OffscreenOutcome::SingleSampled);
  EXPECT_EQ(target.samples, 0);
  EXPECT_TRUE(target.stencil);

  MakeOffscreenTargetCurrent(target);
  GLint stencilBits = 0;
  glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT,
                                        GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE, &stencilBits);
  EXPECT_EQ(stencilBits, 8);
  ExpectLetterboxedTwoHalves(target);
  ReleaseOffscreenTarget(target);
}

TEST_F(OffscreenTargetTest, WithoutFramebufferObjectsNothingIsMade) {
  OffscreenTarget target;
  EXPECT_EQ(CreateOffscreenTarget(target, 64, 36, OffscreenSupport{false, 0}), OffscreenOutcome::Failed);
  EXPECT_EQ(target.framebuffer, 0u);
}

// Run by CTest with Mesa told to offer GL 2.1 without framebuffer objects; skipped otherwise.
TEST_F(OffscreenTargetTest, ADriverWithoutFramebufferObjectsIsRecognised) {
  if (!std::getenv("MESA_EXTENSION_OVERRIDE")) GTEST_SKIP() << "needs the Mesa override environment";
  const OffscreenSupport support = QueryOffscreenSupport();
  EXPECT_FALSE(support.framebufferObjects);
  RecordingMessages messages;
  OffscreenTarget target;
  EXPECT_FALSE(CreateShowTarget(target, 64, 36, messages));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0], messages::kNoFsaa.text);
  EXPECT_EQ(messages.shown[1], messages::kNoOffscreenTarget.text);
}

using ViewportTest = GlTest;

TEST_F(ViewportTest, ZeroHeightCountsAsOne) {
  ResizeViewport(100, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 100);
  EXPECT_EQ(viewport[3], 1);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[0] * 100.0, projection[5], 1e-5);  // aspect 100 / 1; GL keeps floats
  EXPECT_NEAR(projection[5], 1.0 / std::tan(22.5 * std::numbers::pi / 180.0), 1e-5);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
