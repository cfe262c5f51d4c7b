#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "effects/curve.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/first_half_layers.h"
#include "tests/half_fixture.h"

namespace {

class FirstHalfTest : public HalfTest<FirstHalfScenes> {
 protected:
  Scene SceneAt(double t, double high, double low) { return Scene{*show_, state, t, {high, low}}; }
};

TEST_F(FirstHalfTest, AtTheStartOnlyTheUngatedAndBeforeWindowLayersDraw) {
  const std::set<int> ungated = {1,  2,  3,  6,  7,  8,  9,  18, 25, 26, 27, 38,
                                 43, 44, 58, 59, 61, 62, 63, 67, 69, 70, 72};
  std::set<int> expected = {5, 12, 19, 20, 21, 28, 31, 33, 34, 35};
  expected.insert(ungated.begin(), ungated.end());
  EXPECT_EQ(RowsAt(0.0), expected);
}

TEST_F(FirstHalfTest, WindowsExcludeBothBounds) {
  const auto at45 = RowsAt(45.0);
  EXPECT_FALSE(at45.count(4));   // (45, 76)
  EXPECT_FALSE(at45.count(12));  // before 45
  EXPECT_TRUE(RowsAt(45.001).count(4));
  EXPECT_FALSE(RowsAt(76.0).count(4));
  const auto at40 = RowsAt(40.0);
  EXPECT_TRUE(at40.count(31));   // before 42
  EXPECT_FALSE(at40.count(32));  // after 40
  EXPECT_TRUE(RowsAt(141.0).count(16));
}

TEST_F(FirstHalfTest, TheFourGlyphsOfTheRowStartOneAfterAnother) {
  const auto glyphs = [this](double t) {
    std::set<int> drawn;
    for (int row : RowsAt(t)) {
      if (row >= 76 && row <= 79) drawn.insert(row);
    }
    return drawn;
  };
  EXPECT_EQ(glyphs(117.4), (std::set<int>{}));
  EXPECT_EQ(glyphs(117.6), (std::set<int>{76}));
  EXPECT_EQ(glyphs(118.1), (std::set<int>{76, 77}));
  EXPECT_EQ(glyphs(118.25), (std::set<int>{76, 77, 78}));
  EXPECT_EQ(glyphs(118.35), (std::set<int>{76, 77, 78, 79}));
}

TEST_F(FirstHalfTest, InSilenceStrandFieldABurnsNoDrawsAndKeepsItsWidth) {
  const auto stateAfter = [this](double high) {
    DrawStrandFieldA(SceneAt(50.0, high, 0.0));
    return RandomState();
  };
  const uint32_t silent = stateAfter(0.0);
  EXPECT_EQ(stateAfter(0.1), silent);  // 20 * 0.1 - 3 < 0: still nothing to burn
  EXPECT_NE(stateAfter(0.2), silent);  // one draw burnt per strand

  // The first strand's first quad, fed back as a triangle: one side steps one unit along the curve's polygon,
  // one crosses the band (2 x the half-width), the third is the diagonal. Two pixels a unit.
  OpenCanvas(1000, -250, 250, -10, 490, -50, 50);
  const auto firstPair = [this](double low) {
    const auto fed = Feedback(GL_2D, [&] { DrawStrandFieldA(SceneAt(50.0, 0.0, low)); });
    const auto side = [&](int a, int b) {
      return std::hypot(fed[a].values[0] - fed[b].values[0], fed[a].values[1] - fed[b].values[1]) / 2;
    };
    std::vector<double> sides = {side(0, 1), side(1, 2), side(0, 2)};
    std::sort(sides.begin(), sides.end());
    return std::fabs(sides[0] - 1.0) < 1e-3 ? sides[1] : sides[0];
  };
  EXPECT_NEAR(firstPair(0.0), 0.9, 1e-3);
  EXPECT_NEAR(firstPair(0.5), 1.4, 1e-3);
}

// Three strokes of 3, 2 and 4 points, far apart: each is its own strip, the list is drawn up to the fraction
// E = R(14) - R(28) of its strokes, and no line joins one stroke to the next (within a stroke the points are
// 10 units apart, 9 as the path scales them).
TEST_F(FirstHalfTest, TheLinePathWritesTheLogoStrokeByStroke) {
  const auto stroke = [](std::vector<std::array<float, 2>> points) {
    Curve curve(1);
    for (const auto& p : points) curve.Append(Vec3(kVecValid, p[0], p[1], 0));
    return curve;
  };
  show_->curves.logoCurves = {stroke({{0, 0}, {10, 0}, {10, 10}}), stroke({{50, 50}, {60, 50}}),
                              stroke({{-40, -40}, {-40, -30}, {-30, -30}, {-30, -40}})};
  OpenCanvas(400, -200, 200, -200, 200, -50, 50);  // a pixel a unit
  struct Lines {
    int strips = 0, segments = 0;
    double longest = 0;
  };
  const auto linesAt = [this](double t) {
    Lines lines;
    const auto fed = Feedback(GL_2D, [&] { DrawLinePath(SceneAt(t, 0, 0)); });
    for (size_t i = 0; i + 1 < fed.size(); i += 2) {
      ++lines.segments;
      if (i == 0 || fed[i].values != fed[i - 1].values) ++lines.strips;  // not where the last segment ended
      const double length =
          std::hypot(fed[i + 1].values[0] - fed[i].values[0], fed[i + 1].values[1] - fed[i].values[1]);
      lines.longest = std::max(lines.longest, length);
    }
    return lines;
  };
  const Lines whole = linesAt(20.0), half = linesAt(14.5), gone = linesAt(29.0);
  show_->curves.logoCurves.clear();
  EXPECT_EQ(whole.strips, 3);
  EXPECT_EQ(whole.segments, 2 + 1 + 3);
  EXPECT_NEAR(whole.longest, 9.0, 1e-3);
  EXPECT_EQ(half.strips, 2);  // strokes 0 and 1, as 1 < 0.5 x 3
  EXPECT_EQ(half.segments, 2 + 1);
  EXPECT_EQ(gone.segments, 0);
}

// Row 69 with its seed: black stacks of 13093 and 1521 storeys (the raw random numbers), a quarter unit each
// from y = 855.2, far above the canvas; the grey stacks and the noise panels have no height. Each tower takes
// eight draws: its place, its height, its grey and the noise panel's five.
TEST_F(FirstHalfTest, TheTowersAreAsTallAsTheirRawRandomNumbers) {
  constexpr double kBottom = 800, kTop = 4200, kPixels = 1000;
  OpenCanvas(int(kPixels), -100, 100, kBottom, kTop, -100, 100);
  const Scene scene = SceneAt(120.0, 0, 0);
  const auto fed = Feedback(GL_3D, [&] { DrawTowers(scene); });
  const uint32_t after = RandomState();
  struct Tower {
    int triangles = 0;
    double top = 0;
  } left, right;
  for (size_t i = 0; i + 2 < fed.size(); i += 3) {
    const auto& a = fed[i].values;
    const auto& b = fed[i + 1].values;
    const auto& c = fed[i + 2].values;
    const double area = (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]);
    if (std::fabs(area) < 1e-6) continue;
    Tower& tower = a[0] < kPixels / 2 ? left : right;
    ++tower.triangles;
    for (const auto* v : {&a, &b, &c}) {
      tower.top = std::max(tower.top, kBottom + (*v)[1] * (kTop - kBottom) / kPixels);
    }
  }
  EXPECT_EQ(left.triangles, 2 * 13093);
  EXPECT_EQ(right.triangles, 2 * 1521);
  EXPECT_NEAR(left.top, 855.2 + 0.25 * 13093, 0.01);
  EXPECT_NEAR(right.top, 855.2 + 0.25 * 1521, 0.01);
  RandomSeed(23453453);
  for (int i = 0; i < 16; ++i) RandomRaw();
  EXPECT_EQ(after, RandomState());
}

// Row 74's grey strands stay as they are and drift left with the other sprouts by 0.05 units a second of the
// sprout's frame: scaled by 3.3 and turned a quarter, 3.3 units down the canvas from 110 to 130 s.
TEST_F(FirstHalfTest, TheGreySproutDriftsLikeTheOthers) {
  OpenCanvas(1000, -1000, 1000, -200, 1800, -1e4, 1e4);  // two units a pixel
  const auto sproutAt = [this](double t) {
    return PositionsOf([&] { DrawStrandSprout(SceneAt(t, 0, 0), 74); });
  };
  const FedPositions early = sproutAt(110.0), late = sproutAt(130.0);
  ASSERT_FALSE(early.black.empty());
  ASSERT_FALSE(early.coloured.empty());
  for (const auto& [from, to] :
       {std::pair(early.black, late.black), std::pair(early.coloured, late.coloured)}) {
    const auto shift = UniformShift(from, to, 1e-3);
    ASSERT_TRUE(shift.has_value());
    EXPECT_NEAR((*shift)[0], 0.0, 1e-3);
    EXPECT_NEAR((*shift)[1], -3.3 / 2, 1e-3);
  }
}

}  // namespace
