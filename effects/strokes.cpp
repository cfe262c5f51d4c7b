#include "effects/strokes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "effects/span_gatherer.h"
#include "effects/sweep.h"

namespace {

constexpr double kMostSquares = 1e5;  // far more than any curve holds; keeps absurd ranges finite

// The turn by `angle`, kept: the show's curls turn by a handful of angles, again and again.
EulerRotation KeptTurn(double angle) {
  constexpr size_t kKept = 16;
  thread_local std::vector<std::pair<double, EulerRotation>> kept;
  for (const auto& [keptAngle, turn] : kept) {
    if (keptAngle == angle) return turn;
  }
  if (kept.size() == kKept) kept.erase(kept.begin());
  return kept.emplace_back(angle, EulerRotation::AboutZ(angle)).second;
}

void SweepCurl(const Vec3& base, Vec3 dir, double k, double step, double halfWidth, bool middleTurn) {
  const EulerRotation turn = KeptTurn(-0.04 * k), middle = KeptTurn(middleTurn ? -0.12 * k : 0.0);
  SpanGatherer strip(GL_QUAD_STRIP, false);
  for (int i = 0; i < 9; ++i) {
    turn.Apply(dir);
    if (middleTurn && i == 4) middle.Apply(dir);
    const Vec3 spine = Along(base, dir, i * step);
    const Vec3 side = SideOf(dir);
    strip.Flat(Along(spine, side, halfWidth));
    strip.Flat(Along(spine, side, -halfWidth));
  }
  strip.Draw();
}

}  // namespace

void DrawCurlStrip(Vec3 base, Vec3 dir, double k) {
  SweepCurl(base, dir, k, 0.14, 0.05, true);
}

void DrawCurlStripWide(Vec3 base, Vec3 dir, double k) {
  SweepCurl(base, dir, k, 0.1, 0.1, false);
}

void DrawTaperedStroke(const Curve& curve, double t0) {
  if (curve.count <= 0) return;
  glColor3f(1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glColor3f(0, 0, 0);
  SpanGatherer strip(GL_QUAD_STRIP, false);
  for (int i = 0; i < 150; ++i) {
    const double u = i * 0.006666666666666667, next = (i + 1) * 0.006666666666666667;
    Vec3 a, side;
    CurveFrame(curve, t0 + 36 * u, t0 + 36 * next, a, side);
    const double width = (std::min(5 * std::sin(std::numbers::pi * u), 1.0) + 1) * 0.5;
    const double half = 0.98 * width * (1 + 0.1 * std::sin(75 * u));
    strip.Flat(Along(a, side, half));
    strip.Flat(Along(a, side, -half));
  }
  strip.Draw();
}

void DrawSquareTube(const Curve& curve, double t0, double t1, double phase, double size) {
  if (curve.count <= 0) return;
  const double slide = phase - std::trunc(phase);
  t1 = std::min(t1, t0 + kMostSquares);
  glBegin(GL_QUADS);
  for (double i = std::trunc(t0); i < t1; i += 1.0) {
    const double p = i + slide;
    Vec3 a, b, d;
    curve.Evaluate(float(p), a);
    curve.Evaluate(float(p + 1), b);
    Vec3Sub(b, a, d);
    Vec3Normalize(d);
    const Vec3 side = SideOf(d);
    const Vec3 near = Along(a, side, size), far = Along(a, side, size + 0.5);
    for (const Vec3& v : {near, Along(near, d, 0.5), Along(far, d, 0.5), far}) FlatVertex(v);
  }
  glEnd();
}
