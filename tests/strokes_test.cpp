#include <algorithm>
#include <cmath>
#include <numbers>

#include "effects/strokes.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

struct Fed {
  float x, y;
};

// Object units to pixels: an orthographic 0 ... 10 view of a 1000 x 1000 viewport (100 pixels per unit).
class StrokesTest : public CanvasTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(1000, 0, 10, 0, 10);
  }

  template <typename Draw>
  std::vector<Fed> Feed(Draw draw) {
    std::vector<Fed> out;
    for (const FedVertex& f : Feedback(GL_2D, draw)) out.push_back({f.values[0] / 100, f.values[1] / 100});
    return out;
  }
};

TEST_F(StrokesTest, AnUncurledStripIsStraight112LongAnd01Wide) {
  const auto strip = Feed([] { DrawCurlStrip(Vec3(kVecValid, 1, 5, 0), Vec3(kVecValid, 1, 0, 0), 0.0); });
  ASSERT_FALSE(strip.empty());
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  for (const Fed& f : strip) {
    minX = std::min(minX, f.x), maxX = std::max(maxX, f.x), minY = std::min(minY, f.y),
    maxY = std::max(maxY, f.y);
  }
  EXPECT_NEAR(minX, 1.0, 1e-4);
  EXPECT_NEAR(maxX - minX, 1.12, 1e-4);
  EXPECT_NEAR(maxY - minY, 0.1, 1e-4);
}

TEST_F(StrokesTest, ACurledStripHasTurnedByAHalfRadianAtItsEnd) {
  // With k = 1 the heading turns by 9 x 0.04 + 0.12 = 0.48 rad clockwise; the last station lies 8 x 0.14
  // along it.
  const auto strip = Feed([] { DrawCurlStrip(Vec3(kVecValid, 5, 5, 0), Vec3(kVecValid, 1, 0, 0), 1.0); });
  const double dx = std::cos(-0.48), dy = std::sin(-0.48);
  const double tipX = 5 + 1.12 * dx, tipY = 5 + 1.12 * dy;
  for (double side : {0.05, -0.05}) {
    const double x = tipX + side * dy, y = tipY - side * dx;
    const bool found = std::any_of(strip.begin(), strip.end(),
                                   [&](const Fed& f) { return std::hypot(f.x - x, f.y - y) < 2e-3; });
    EXPECT_TRUE(found) << x << ", " << y;
  }
}

TEST_F(StrokesTest, TheTaperedStrokeWrapsAroundAClosedCurveAndLeavesBlack) {
  Curve ring;
  for (int i = 0; i < 8; ++i)
    ring.Append(Vec3(kVecValid, float(5 + 3 * std::sin(i * std::numbers::pi / 4)),
                     float(5 + 3 * std::cos(i * std::numbers::pi / 4)), 0));
  const auto stroke = Feed([&] { DrawTaperedStroke(ring, 0.0); });
  EXPECT_EQ(stroke.size(), 149u * 6);  // 150 stations: 149 quads, as triangles
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0] + colour[1] + colour[2], 0.0f);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  for (const Fed& f : stroke) EXPECT_LT(std::hypot(f.x - 5, f.y - 5), 3.0 + 1.2);  // 36 units around 8 points
}

TEST_F(StrokesTest, SquaresStandOneParameterUnitApartAndSlideWithThePhase) {
  Curve line;
  line.closed = false;
  for (int i = 0; i < 8; ++i) line.Append(Vec3(kVecValid, float(i), 2, 0));
  const auto squares = Feed([&] { DrawSquareTube(line, 1.5, 4.0, 0.25, 1.0); });
  ASSERT_EQ(squares.size(), 3u * 6);  // i = 1, 2, 3
  float minX = 1e9f;
  for (const Fed& f : squares) minX = std::min(minX, f.x);
  EXPECT_NEAR(minX, 1.25, 1e-4);
  for (const Fed& f : squares)
    EXPECT_TRUE(std::fabs(f.y - 1.0f) < 1e-4 || std::fabs(f.y - 0.5f) < 1e-4) << f.y;
  DrawSquareTube(line, 0.0, 1e30, 0.0, 1.0);  // an absurd range still ends
}

}  // namespace
