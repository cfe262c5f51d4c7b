#include <cmath>

#include "render/gl_api.h"
#include "scenes/scene_director.h"
#include "show/show_frame.h"
#include "tests/gl_fixture.h"

namespace {

// The speed windows written out again from their description, one factor per window.
double ExpectedStep(double step, double t) {
  auto r = [t](double a, double k) { return std::min(std::max((t - a) * k, 0.0), 1.0); };
  return step * 1.004 * (1 + (r(60, 0.1) - r(155, 0.12)) * 0.036) *
         (1 + (r(30, 0.12) - r(110, 0.2)) * 0.093) * (1 + (r(153, 0.2) - r(181, 0.2)) * 0.088) *
         (1 - (r(225, 0.4) - r(232, 0.4)) * 0.23) * (1 + (r(140.5, 2) - r(142.1, 2)) * 0.59);
}

TEST(ShowTime, FollowsTheSpeedWindowsOverTheWholeShow) {
  double showTime = -3.0, expected = -3.0;
  for (int frame = 0; frame < 236800 / 16; ++frame) {
    showTime += ModulatedStep(0.016, showTime);
    expected += ExpectedStep(0.016, expected);
  }
  EXPECT_NEAR(showTime, expected, 1e-9);
  EXPECT_GT(showTime, 236.8);  // the show runs ahead of the clock on the whole
  EXPECT_DOUBLE_EQ(ModulatedStep(1.0, 0.0), 1.004);
  EXPECT_NEAR(ModulatedStep(1.0, 141.3), 1.004 * (1 + 0.036 * 1) * (1 + 0.093 * (1 - 1)) * 1.0 * 1.59, 0.01);
  EXPECT_LT(ModulatedStep(1.0, 229.0), 1.0);
}

TEST(ShowTime, FadesAndFieldOfView) {
  EXPECT_EQ(FadeInColour(-4.0), (std::array<double, 3>{0, 0, 0}));  // black before -3
  EXPECT_TRUE(FadeInVisible(13.0));
  EXPECT_FALSE(FadeInVisible(13.1));
  EXPECT_EQ(FadeOutLevel(230.0), 1.0);
  EXPECT_EQ(FadeOutLevel(245.0), 0.0);
  EXPECT_NEAR(75 + WideScreenFovOffset(1280, 720), 75.0, 1e-3);
  EXPECT_NEAR(75 + WideScreenFovOffset(1024, 768), 81.0, 1e-3);
  EXPECT_EQ(Bounce(0.00005, 3), 0.0);
  EXPECT_NEAR(Bounce(1.0, 0.0), std::sin(1.5) * 0.01, 1e-12);
}

TEST(ShowCamera, TravelsUpTheCanvasThenSwingsOver) {
  const CameraRecord start = ShowCamera(0.0);
  EXPECT_FLOAT_EQ(start.eye.x, 12.0f);
  EXPECT_FLOAT_EQ(start.eye.y, -125.0f);
  EXPECT_FLOAT_EQ(start.eye.z, 58.0f);
  EXPECT_FLOAT_EQ(start.centre.z, 0.0f);
  EXPECT_FLOAT_EQ(ShowCamera(10.0).eye.y, -45.0f);
  const CameraRecord swung = ShowCamera(170.0);
  EXPECT_NEAR(swung.eye.y, 1080.0, 30.0);
  EXPECT_NEAR(swung.eye.x, 8 * 24.0, 1.0);
  const CameraRecord late = ShowCamera(210.0);  // the last swing is complete from about 204 s
  EXPECT_NEAR(late.eye.x, 474.0, 2.0);
  const CameraRecord light = ShowLight(start);
  EXPECT_NEAR(std::hypot(light.eye.x, light.eye.y, light.eye.z), 23.0, 1e-4);
  EXPECT_EQ(light.centre.y, start.centre.y);
}

using DirectorTest = GlTest;

TEST_F(DirectorTest, TheSecondHalfStartsJustAfter141Seconds) {
  DemoState state;
  ShowRecord show;
  constexpr size_t kLastGlyphOfTheFirstHalf = 79;  // the second half's layers end long before
  show.showTime = 141.0;
  SceneDirector(state, show);
  EXPECT_TRUE(show.layersDrawn.test(kLastGlyphOfTheFirstHalf));
  show.showTime = std::nextafter(141.0, 200.0);
  SceneDirector(state, show);
  EXPECT_FALSE(show.layersDrawn.test(kLastGlyphOfTheFirstHalf));
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
}

TEST(SpectrumLevels, HighAndLowFromTheirBins) {
  ShowRecord show;
  show.spectrum[230] = 0.08f;
  show.spectrum[2] = 0.5f;
  const SpectrumLevels levels = LevelsOf(show);
  EXPECT_NEAR(levels.high, 0.05, 1e-6);
  EXPECT_NEAR(levels.low, 0.09, 1e-6);
  EXPECT_EQ(LevelsOf(ShowRecord()).low, 0.0);
}

}  // namespace
