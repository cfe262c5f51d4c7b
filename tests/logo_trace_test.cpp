#include <gtest/gtest.h>

#include <vector>

#include "assets/logo_trace.h"

namespace {

struct Logo {
  explicit Logo(int size = 128) : width(size), height(size), rgb(size_t(size) * size * 3, 0) {}
  void Set(int x, int y, uint8_t red) { rgb[(size_t(y) * width + x) * 3] = red; }
  std::vector<Curve> Trace() {
    std::vector<Curve> curves;
    TraceLogo(rgb.data(), width, height, curves);
    return curves;
  }
  int width, height;
  std::vector<uint8_t> rgb;
};

TEST(LogoTrace, ADarkPictureHasNoCurves) {
  EXPECT_TRUE(Logo().Trace().empty());
}

TEST(LogoTrace, ALineOfSeedsIsOneCurveCentredOnThePicture) {
  Logo logo;
  for (int x = 10; x <= 19; ++x) logo.Set(x, 20, 255);
  const auto curves = logo.Trace();
  ASSERT_EQ(curves.size(), 1u);
  const Curve& curve = curves[0];
  ASSERT_EQ(curve.count, 10);
  EXPECT_EQ(curve.kind, 1);
  EXPECT_TRUE(curve.closed);
  EXPECT_EQ(curve.points.front().x, 54);
  EXPECT_EQ(curve.points.back().x, 45);
  for (const Vec3& p : curve.points) {
    EXPECT_EQ(p.y, -44);
    EXPECT_EQ(p.state, kVecValid);
  }
  EXPECT_EQ(logo.rgb[(20 * 128 + 15) * 3], 128);  // walked pixels are marked
}

TEST(LogoTrace, BrightPixelsAreWalkedButOnlyUnvisitedSeedsStartCurves) {
  Logo logo;
  logo.Set(30, 30, 230);  // bright, not a seed: never starts a curve
  logo.Set(40, 40, 255);
  logo.Set(41, 40, 230);
  logo.Set(42, 40, 255);  // reached by the first walk: no second curve
  const auto curves = logo.Trace();
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_EQ(curves[0].count, 3);

  Logo apart;
  apart.Set(40, 40, 255);
  apart.Set(44, 40, 255);  // not reached: a curve of its own
  EXPECT_EQ(apart.Trace().size(), 2u);
}

TEST(LogoTrace, TheWalkTriesUpFirstThenClockwise) {
  Logo logo;
  logo.Set(50, 50, 255);
  logo.Set(51, 50, 230);  // right
  logo.Set(50, 49, 230);  // up: taken first
  const auto curves = logo.Trace();
  ASSERT_EQ(curves.size(), 1u);
  ASSERT_EQ(curves[0].count, 3);
  EXPECT_EQ(curves[0].points[1].y, 49 - 64);
  EXPECT_EQ(curves[0].points[2].x, 64 - 51);  // then right-down from (50, 49)
}

TEST(LogoTrace, StrokesTouchingTheEdgeStayInsideThePicture) {
  Logo logo(8);
  for (int x = 0; x < 8; ++x) logo.Set(x, 0, 255), logo.Set(x, 7, 255);
  for (int y = 0; y < 8; ++y) logo.Set(0, y, 255), logo.Set(7, y, 255);
  const auto curves = logo.Trace();
  int points = 0;
  for (const Curve& curve : curves) points += curve.count;
  EXPECT_EQ(points, 28);  // every border pixel once, nothing outside
}

}  // namespace
