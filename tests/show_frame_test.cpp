#include <algorithm>
#include <cmath>
#include <vector>

#include "render/gl_api.h"
#include "scenes/scene_director.h"
#include "show/show_frame.h"
#include "tests/gl_fixture.h"

namespace {

// The show's speed: 0.4 % fast everywhere, and on the plateaus of its windows the products of the windows
// that are full there; between plateaus the ramps change it smoothly, frame to frame.
TEST(ShowTime, RunsAtTheSpeedOfItsWindows) {
  const std::vector<std::pair<double, double>> plateaus = {
      {0.0, 1.004},                    // before every window
      {50.0, 1.004 * 1.093},           // faster from 30 s
      {100.0, 1.004 * 1.036 * 1.093},  // and from 60 s
      {141.3, 1.004 * 1.036 * 1.59},   // the jump ahead; the 30 s window has closed by 115 s
      {170.0, 1.004 * 1.088},          // the 153 s window; the 60 s one has closed by 164 s
      {190.0, 1.004},                  // every window of the middle closed
      {229.0, 1.004 * (1 - 0.23)},     // slower between 225 s and 232 s
      {240.0, 1.004},
  };
  for (const auto& [t, factor] : plateaus) EXPECT_NEAR(ModulatedStep(1.0, t), factor, 1e-12) << t;

  double showTime = -3.0, largestChange = 0.0, step = ModulatedStep(1.0 / 60, showTime);
  for (int frame = 0; frame < 236.8 * 60; ++frame) {
    const double next = ModulatedStep(1.0 / 60, showTime);
    largestChange = std::max(largestChange, std::fabs(next - step));
    step = next;
    showTime += step;
  }
  EXPECT_LT(largestChange, 0.04 / 60);  // no step jumps by more than 4 % of a frame
  EXPECT_GT(showTime, 236.8);           // the show runs ahead of the clock on the whole
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
  constexpr int kLastGlyphOfTheFirstHalf = 79;  // the second half's layers end long before
  show.showTime = 141.0;
  SceneDirector(state, show);
  EXPECT_TRUE(show.layersDrawn.Test(kLastGlyphOfTheFirstHalf));
  show.showTime = std::nextafter(141.0, 200.0);
  SceneDirector(state, show);
  EXPECT_FALSE(show.layersDrawn.Test(kLastGlyphOfTheFirstHalf));
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
