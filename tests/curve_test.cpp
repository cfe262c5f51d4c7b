#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "effects/curve.h"

namespace {

Curve OpenCurve(std::initializer_list<Vec3> points) {
  Curve curve(1);
  curve.closed = false;
  for (const Vec3& p : points) curve.Append(p);
  return curve;
}

Vec3 P(float x, float y, float z = 0) {
  return Vec3(kVecValid, x, y, z);
}

Vec3 At(const Curve& curve, float t, int state = 7) {
  Vec3 out(state, -1, -1, -1);
  curve.Evaluate(t, out);
  return out;
}

TEST(CurveEvaluate, AnOpenCurvePassesItsPointsAndStopsAtItsEnds) {
  const Curve curve = OpenCurve({P(0, 0), P(1, 2), P(3, 3), P(6, 1, 2)});
  for (int k = 0; k < 4; ++k) {
    const Vec3 p = At(curve, float(k));
    EXPECT_EQ(p.x, curve.points[k].x);
    EXPECT_EQ(p.y, curve.points[k].y);
    EXPECT_EQ(p.z, curve.points[k].z);
    EXPECT_EQ(p.state, 7);  // the caller's state is left alone
  }
  const Vec3 beyond = At(curve, 4.5f);  // past the end: the end point, state included
  EXPECT_EQ(beyond.state, kVecValid);
  EXPECT_EQ(beyond.x, 6);
  EXPECT_EQ(beyond.z, 2);
  const Vec3 before = At(curve, -0.25f);
  EXPECT_EQ(before.state, kVecValid);
  EXPECT_EQ(before.x, 0);
  EXPECT_EQ(At(curve, 4.0f).x, 6);  // the run past the last point comes back to it at t = n

  const Curve one = OpenCurve({P(5, 6)});
  EXPECT_EQ(At(one, 0.5f).x, 5);
}

TEST(CurveEvaluate, AClosedCurveWrapsAround) {
  Curve square;
  for (const Vec3& p : {P(0, 0), P(10, 0), P(10, 10), P(0, 10), P(-5, 5)}) square.Append(p);
  for (float t : {0.25f, 1.5f, 2.75f, 3.5f}) {
    const Vec3 a = At(square, t), b = At(square, t + 5.0f);
    EXPECT_NEAR(a.x, b.x, 1e-2);
    EXPECT_NEAR(a.y, b.y, 1e-2);
  }
  const Vec3 between = At(square, -0.5f);  // between the last point and the first
  EXPECT_LT(between.x, 0.0f);
  EXPECT_GT(between.x, -5.0f);
  EXPECT_GT(between.y, 0.0f);
  EXPECT_LT(between.y, 5.0f);
  EXPECT_EQ(At(square, 2.0f).y, 10);
}

TEST(CurveResample, EqualSpacingAlongTheArcIncludingTheRunPastTheEnd) {
  Curve three = OpenCurve({P(0, 0), P(3, 0), P(6, 0)});
  three.Resample(10, 8);
  EXPECT_EQ(three.count, 3);

  Curve line = OpenCurve({P(0, 0), P(3, 0), P(6, 0), P(9, 0)});
  line.kind = 1;
  line.Resample(100, 64);
  ASSERT_EQ(line.count, 100);
  EXPECT_EQ(line.kind, 3);
  EXPECT_EQ(line.widths.size(), 100u);
  EXPECT_EQ(line.extra[5].x, line.points[5].x);
  EXPECT_EQ(line.points[0].x, 0);
  // The length spans the parameters 0 ... count: the line's 9 plus the run past the last point, which goes
  // out to about 9.22 and back.
  const double spacing = line.points[1].x - line.points[0].x;
  EXPECT_NEAR(spacing * 100, 9.44, 0.03);
  for (int k = 1; k < 95; ++k) EXPECT_NEAR(line.points[k].x - line.points[k - 1].x, spacing, 0.01);
  float farthest = 0;
  for (const Vec3& p : line.points) farthest = std::max(farthest, p.x);
  EXPECT_NEAR(farthest, 9.22, spacing / 2);
}

TEST(CurveCopy, CopiesThePointsAndFlags) {
  Curve source = OpenCurve({P(1, 1), P(2, 2)});
  source.widths.push_back(P(0.5, 0));
  source.kind = 8;
  Curve copy;
  copy = source;
  EXPECT_EQ(copy.count, 2);
  EXPECT_EQ(copy.kind, 8);
  EXPECT_FALSE(copy.closed);
  EXPECT_EQ(copy.widths.size(), 1u);

  copy.Clear();
  EXPECT_FALSE(copy.closed);  // Clear keeps the flag
  EXPECT_EQ(copy.kind, 3);
  EXPECT_TRUE(copy.points.empty());
}

TEST(CurvePens, BuildersChainFromWhereTheLastStepLeftThePen) {
  Curve curve;
  Vec3 pos = P(0, 0), dir = P(1, 0);
  CurveTurnAppend(curve, pos, dir);
  ASSERT_EQ(curve.count, 8);
  EXPECT_NEAR(dir.x, 0, 1e-6);  // a quarter turn, counter-clockwise
  EXPECT_NEAR(dir.y, 1, 1e-6);
  EXPECT_EQ(curve.points.back().x, pos.x);

  CurveLineAppend15(curve, pos, P(0, 2));
  CurveLineAppend5(curve, pos, P(1, 0));
  EXPECT_EQ(curve.count, 28);
  const float y = pos.y;
  CurveStepAppend4(curve, pos, P(0, 1), 0.5);
  EXPECT_FLOAT_EQ(pos.y, y + 2.0f);

  CurveArcAppend(curve, pos, dir, 0, 1.0);
  CurveArcAppend(curve, pos, dir, -3, 1.0);
  EXPECT_EQ(curve.count, 32);
  CurveArcAppend(curve, pos, dir, 3, 1.0);
  EXPECT_EQ(curve.count, 35);
  EXPECT_NEAR(std::atan2(dir.y, dir.x), std::atan2(1.0, 0.0) + 3 * 0.46076692252650303, 1e-5);
}

}  // namespace
