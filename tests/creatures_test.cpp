#include <algorithm>
#include <cmath>
#include <numbers>

#include "effects/creatures.h"
#include "render/gl_api.h"
#include "tests/gl_fixture.h"

namespace {

struct Fed {
  float x, y;
};

// An orthographic -10 ... 10 view of a 1000 x 1000 viewport (50 pixels per unit); creatures crawl along the x
// axis, where the curve's parameter t lies at x = t - 8.
class CreaturesTest : public CanvasTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(1000, -10, 10, -10, 10);
    line.closed = false;
    for (int i = -8; i <= 8; ++i) line.Append(Vec3(kVecValid, float(i), 0, 0));
  }

  template <typename Draw>
  std::vector<Fed> Feed(Draw draw) {
    std::vector<Fed> out;
    for (const FedVertex& f : Feedback(GL_2D, draw))
      out.push_back({f.values[0] / 50 - 10, f.values[1] / 50 - 10});
    return out;
  }

  Curve line;
};

// Quads come back from feedback as two triangles.
constexpr size_t StripVertices(size_t stations) {
  return (stations - 1) * 6;
}
constexpr size_t kLeg = StripVertices(9);

TEST_F(CreaturesTest, NothingIsDrawnForANegativeGateOrANegligibleSize) {
  glColor3f(1, 0, 0);
  EXPECT_TRUE(Feed([&] { DrawCreatureA(line, 2, -0.01, 1, 1, true); }).empty());
  EXPECT_TRUE(Feed([&] { DrawCreatureA(line, 2, 1, 1, 0.0000009, true); }).empty());
  EXPECT_TRUE(Feed([&] { DrawCreatureB(line, 2, 1, 0.0000009, 0); }).empty());
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 1.0f);
  EXPECT_EQ(colour[1], 0.0f);
}

TEST_F(CreaturesTest, TheSizeDecidesHowManyBodyStationsAndLegsAreDrawn) {
  // Size 1: 11 body stations and legs at 4, 5, 6 and 9 (A) or 3, 5, 7 and 9 (B), two strips each.
  EXPECT_EQ(Feed([&] { DrawCreatureA(line, 2, 0, 1, 1, false); }).size(), StripVertices(11) + 8 * kLeg);
  EXPECT_EQ(Feed([&] { DrawCreatureB(line, 2, 1, 1, 0); }).size(), StripVertices(11) + 8 * kLeg);
  // 0.9: ten stations (k < 9.9), and the legs stop below station 9.
  EXPECT_EQ(Feed([&] { DrawCreatureA(line, 2, 0, 1, 0.9, false); }).size(), StripVertices(10) + 6 * kLeg);
  // 0.25: three stations and no legs at all.
  EXPECT_EQ(Feed([&] { DrawCreatureA(line, 2, 0, 1, 0.25, false); }).size(), StripVertices(3));
}

TEST_F(CreaturesTest, TheBodyRunsFromT0AlongTheCurveWithAWideHead) {
  // step 2: 0.4 parameter units per station from x = t0 - 8.
  const auto body = Feed([&] { DrawCreatureA(line, 4, 0, 2, 0.25, false); });
  float minX = 1e9f, maxX = -1e9f, maxY = 0;
  for (const Fed& f : body)
    minX = std::min(minX, f.x), maxX = std::max(maxX, f.x), maxY = std::max(maxY, f.y);
  EXPECT_NEAR(minX, -4.0, 1e-4);
  EXPECT_NEAR(maxX, -4.0 + 0.8, 1e-4);  // stations 0, 1, 2
  // The head is twice as wide as the body; the taper still grows at station 2.
  EXPECT_NEAR(maxY, 2 * 0.2 * std::pow(5 * std::sin(0.04 * std::numbers::pi), 0.3), 1e-4);
}

TEST_F(CreaturesTest, TheShadowSpotIsA4By4QuadOneUnitAhead) {
  const auto plain = Feed([&] { DrawCreatureA(line, 4, 0, 1, 1, false); });
  const auto shadowed = Feed([&] { DrawCreatureA(line, 4, 0, 1, 1, true); });
  ASSERT_EQ(shadowed.size(), plain.size() + 6);
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  for (size_t i = 0; i < 6; ++i) {
    minX = std::min(minX, shadowed[i].x), maxX = std::max(maxX, shadowed[i].x);
    minY = std::min(minY, shadowed[i].y), maxY = std::max(maxY, shadowed[i].y);
  }
  EXPECT_NEAR(minX, -3 - 2, 1e-4);
  EXPECT_NEAR(maxX, -3 + 2, 1e-4);
  EXPECT_NEAR(minY, -2, 1e-4);
  EXPECT_NEAR(maxY, 2, 1e-4);
}

TEST_F(CreaturesTest, TheShiftMovesTheWholeSecondCreatureSideways) {
  // Along +x the side vector is (0, -1), so a shift of 0.5 moves every vertex, legs included, down by 0.5.
  const auto centred = Feed([&] { DrawCreatureB(line, 3, 1, 1, 0.0); });
  const auto shifted = Feed([&] { DrawCreatureB(line, 3, 1, 1, 0.5); });
  ASSERT_EQ(centred.size(), shifted.size());
  for (size_t i = 0; i < centred.size(); ++i) {
    EXPECT_NEAR(shifted[i].x, centred[i].x, 1e-4);
    EXPECT_NEAR(shifted[i].y, centred[i].y - 0.5, 1e-4);
  }
}

TEST_F(CreaturesTest, LegsSwingAsTheCreatureMoves) {
  const auto legsAt = [&](double t0) {
    auto all = Feed([&] { DrawCreatureA(line, t0, 0, 1, 1, false); });
    for (Fed& f : all) f.x -= float(t0);  // the body's own frame
    return std::vector<Fed>(all.begin() + StripVertices(11), all.end());
  };
  const auto here = legsAt(3.0), there = legsAt(3.5);
  ASSERT_EQ(here.size(), there.size());
  float largest = 0;
  for (size_t i = 0; i < here.size(); ++i)
    largest = std::max(largest, std::hypot(here[i].x - there[i].x, here[i].y - there[i].y));
  EXPECT_GT(largest, 0.1f);
}

TEST_F(CreaturesTest, TheCentipedeDrawsShadowBodyAndThirteenPairsOfLegsAndEndsGrey) {
  const auto all = Feed([&] { DrawCreatureC(line, 3.0); });
  EXPECT_EQ(all.size(), StripVertices(55) + StripVertices(50) + 26 * kLeg);
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 0.5f);
  EXPECT_EQ(colour[1], 0.5f);
  EXPECT_EQ(colour[2], 0.5f);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  EXPECT_EQ(source, GL_ONE);
  EXPECT_EQ(destination, GL_ONE);
}

}  // namespace
