#include <cmath>
#include <set>
#include <vector>

#include "render/gl_api.h"
#include "scenes/second_half_layers.h"
#include "tests/half_fixture.h"

namespace {

constexpr double kJustAfterTheJump = 141.00000000000003;

// The falling shapes' 32 polygon lists are stand-in unit squares where a test needs them.
using SecondHalfTest = HalfTest<SecondHalfScenes>;

TEST_F(SecondHalfTest, JustAfterTheJumpTheEarlyLayersDrawAndTheRampsWait) {
  // Row 12's second field of diamonds is full from the start (500 (1 - R(184, 0.5))) and only vanishes at
  // 186 s; the ramps of 6, 10, 13 and 14 are still at 0.
  EXPECT_EQ(RowsAt(kJustAfterTheJump), (std::set<int>{1, 3, 4, 5, 7, 9, 12, 26, 29, 30, 31, 33}));
}

TEST_F(SecondHalfTest, WindowsExcludeTheirBoundsAndTheWallIsAlwaysThere) {
  const auto at185 = RowsAt(185.0);
  EXPECT_FALSE(at185.count(1));
  EXPECT_FALSE(at185.count(18));
  EXPECT_TRUE(RowsAt(184.99).count(18));
  for (double t : {142.0, 190.0, 230.0}) EXPECT_TRUE(RowsAt(t).count(3)) << t;
  EXPECT_EQ(ShapeWallShapesAt(kJustAfterTheJump), 3);  // the two untimed shapes and the one before 193
  EXPECT_EQ(ShapeWallShapesAt(193.0), 9);
  const auto late = RowsAt(219.0);
  for (int row : {6, 10, 12, 13, 14}) EXPECT_TRUE(late.count(row)) << row;
}

TEST_F(SecondHalfTest, FallingShapesAreTheSameEveryFrameAndLieBesideTheirShadows) {
  for (int i = 0; i < 32; ++i) {
    glNewList(GLuint(1001 + i), GL_COMPILE);
    glBegin(GL_QUADS);
    glVertex2f(0, 0), glVertex2f(1, 0), glVertex2f(1, 1), glVertex2f(0, 1);
    glEnd();
    glEndList();
  }
  OpenCanvas(1000, -4500, 5500, -3000, 7000, -1e4, 1e4);  // 10 units a pixel: nothing is clipped
  struct Fed {
    float x, y, r;
  };
  const auto feed = [&] {
    std::vector<Fed> out;
    const Scene scene{*show_, state, 225.0, {0, 0}};
    for (const FedVertex& f : Feedback(GL_3D_COLOR, [&] { DrawFallingShapes(scene); }))
      out.push_back({f.values[0], f.values[1], f.values[3]});
    return out;
  };
  const auto first = feed(), again = feed();
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(first.size() % 2, 0u);
  for (size_t i = 0; i < first.size(); ++i) {
    ASSERT_EQ(first[i].x, again[i].x);
    ASSERT_EQ(first[i].y, again[i].y);
  }
  const size_t half = first.size() / 2;  // shadows first, then the coloured shapes in the same order
  for (size_t i = 0; i < half; ++i) {
    EXPECT_NEAR(first[i].r, 0.1f, 1e-6);
    EXPECT_NEAR(first[half + i].x - first[i].x, 0.13, 2e-3);
    EXPECT_NEAR(first[half + i].y - first[i].y, 0.13, 2e-3);
  }
  for (int i = 0; i < 32; ++i) glDeleteLists(GLuint(1001 + i), 1);
}

// The sprouts of rows 24, 27 and 28: tinted strands at their full length (the fast ramp from 65 s is long
// done) over black ones still growing from the window's start, the whole sprout drifting left by 0.05 units
// a second in its own frame, so that the tinted strands move as one.
TEST_F(SecondHalfTest, SproutsGrowOnThreeRampsAndDrift) {
  OpenCanvas(1000, -500, 1500, 0, 2000, -1e4, 1e4);  // two units a pixel
  struct Case {
    int row;
    double t;     // eased into place, the black strands growing, none eaten yet (184 s)
    Point drift;  // in canvas units over two seconds: 0.1 units of the sprout's frame, scaled and turned
  };
  for (const Case& c :
       {Case{24, 182.0, {-0.25, 0}}, Case{27, 180.0, {-0.25, 0}}, Case{28, 166.0, {0, 0.2}}}) {
    const auto sproutAt = [&](double t) {
      return PositionsOf([&] { DrawSecondHalfSprout(Scene{*show_, state, t, {0, 0}}, c.row); });
    };
    const FedPositions first = sproutAt(c.t), later = sproutAt(c.t + 2);
    ASSERT_FALSE(first.coloured.empty()) << c.row;
    EXPECT_GT(first.coloured.size(), 2 * first.black.size()) << c.row;
    const auto shift = UniformShift(first.coloured, later.coloured, 1e-3);
    ASSERT_TRUE(shift.has_value()) << c.row;
    EXPECT_NEAR((*shift)[0], c.drift[0] / 2, 1e-3) << c.row;
    EXPECT_NEAR((*shift)[1], c.drift[1] / 2, 1e-3) << c.row;
  }
}

}  // namespace
