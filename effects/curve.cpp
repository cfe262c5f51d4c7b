#include "effects/curve.h"

#include <algorithm>
#include <cmath>

namespace {

// Integer part of t toward zero, kept in a range where the conversion is defined.
int64_t TruncatedIndex(double t) {
  if (!(t == t)) return 0;  // NaN
  return static_cast<int64_t>(std::trunc(std::clamp(t, -1e15, 1e15)));
}

int ClampIndex(int64_t index, int count) {
  return static_cast<int>(std::max<int64_t>(std::min<int64_t>(index, count - 1), 0));
}

int WrapIndex(int64_t index, int count) {
  const int64_t wrapped = index % count;
  return static_cast<int>(wrapped < 0 ? wrapped + count : wrapped);
}

double Spline(double q0, double q1, double q2, double q3, double f) {
  const double m1 = (q2 - q0) * 0.5;
  const double m2 = static_cast<float>((q3 - q1) * 0.5);
  const double f2 = f * f;
  return (2 * q1 - 2 * q2 + m1 + m2) * f2 * f + (3 * q2 - 3 * q1 - 2 * m1 - m2) * f2 + m1 * f + q1;
}

constexpr double kSixteenthTurn = 0.19634954084936207;  // pi / 16
constexpr double kArcStep = 0.46076692252650303;        // 26.4 degrees

void StepAppend(Curve& curve, Vec3& pos, const Vec3& step, int times) {
  for (int i = 0; i < times; ++i) {
    Vec3Add(pos, step, pos);
    curve.Append(pos);
  }
}

void TurnAppend(Curve& curve, Vec3& pos, Vec3& dir, int times, double angle) {
  const double none = 0.0;
  for (int i = 0; i < times; ++i) {
    Vec3RotateEuler(dir, none, none, angle);
    Vec3Add(pos, dir, pos);
    curve.Append(pos);
  }
}

}  // namespace

Curve::Curve() {
  Clear();
  closed = true;
}

Curve::Curve(int32_t kind) {
  Clear();
  this->kind = kind;
}

void Curve::Clear() {
  count = 0;
  kind = 3;
  points.clear();
  points.shrink_to_fit();
  widths.clear();
  widths.shrink_to_fit();
  extra.clear();
  extra.shrink_to_fit();
}

void Curve::Evaluate(float t, Vec3& out) const {
  const int n = std::min<int>(count, int(points.size()));
  if (n <= 0) return;
  double f = 0.0;
  int i0, i1, i2, i3;
  if (closed) {
    int64_t segment;
    if (n - 2 > t && t > 2.0f) {
      segment = TruncatedIndex(t);
      f = double(t) - double(segment);
    } else {
      const float wrapped = static_cast<float>(double(n) * 10000.0 + double(t));
      const int64_t whole = TruncatedIndex(wrapped);
      f = double(wrapped) - double(whole);
      segment = WrapIndex(whole, n);
    }
    i0 = WrapIndex(segment - 1, n), i1 = WrapIndex(segment, n);
    i2 = WrapIndex(segment + 1, n), i3 = WrapIndex(segment + 2, n);
  } else {
    const int64_t whole = TruncatedIndex(t);
    f = double(t) - double(whole);
    if (t > n) f = 1.0;
    if (t < 0) f = 0.0;
    const int segment = ClampIndex(whole, n);
    i0 = ClampIndex(segment - 1, n), i1 = segment;
    i2 = ClampIndex(segment + 1, n), i3 = ClampIndex(segment + 2, n);
  }
  const Vec3 &q0 = points[i0], &q1 = points[i1], &q2 = points[i2], &q3 = points[i3];
  out.x = static_cast<float>(Spline(q0.x, q1.x, q2.x, q3.x, f));
  out.y = static_cast<float>(Spline(q0.y, q1.y, q2.y, q3.y, f));
  out.z = static_cast<float>(Spline(q0.z, q1.z, q2.z, q3.z, f));
  if (!closed) {
    if (t > n) out = points[n - 1];
    if (t < 0) out = points[0];
  }
}

void Curve::Resample(int numOut, int samplesPerSegment) {
  if (points.size() < 4 || samplesPerSegment <= 0 || count <= 0 || numOut < 0) return;
  Curve even(1);
  even.closed = false;

  const int steps = count * samplesPerSegment;
  std::vector<float> table(size_t(steps) + 1, 0.0f);
  float length = 0.0f;
  Vec3 a, b;
  for (int i = 0; i < steps; ++i) {
    Evaluate(float(i) / float(samplesPerSegment), a);
    Evaluate(float(i + 1) / float(samplesPerSegment), b);
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y, dz = double(b.z) - a.z;
    length = static_cast<float>(length + std::sqrt(dx * dx + dy * dy + dz * dz));
    table[size_t(i) + 1] = length;
  }

  for (int k = 0; k < numOut; ++k) {
    const float s = float(k) / float(numOut) * length;
    int j = 0;
    while (j < steps - 1 && !(table[j] <= s && s <= table[j + 1])) ++j;
    const float span = std::max(table[j + 1] - table[j], 0.001f);
    Vec3 point;
    Evaluate(((s - table[j]) / span + float(j)) / float(samplesPerSegment), point);
    even.Append(point);
  }

  Clear();
  for (int k = 0; k < numOut; ++k) {
    Vec3 point;
    even.Evaluate(float(k), point);
    points.push_back(point);
    widths.push_back(point);
    extra.push_back(point);
    ++count;
  }
}

void CurveTurnAppend(Curve& curve, Vec3& pos, Vec3& dir) {
  TurnAppend(curve, pos, dir, 8, kSixteenthTurn);
}

void CurveLineAppend15(Curve& curve, Vec3& pos, const Vec3& step) {
  StepAppend(curve, pos, step, 15);
}

void CurveLineAppend5(Curve& curve, Vec3& pos, const Vec3& step) {
  StepAppend(curve, pos, step, 5);
}

void CurveStepAppend4(Curve& curve, Vec3& pos, const Vec3& dir, double scale) {
  Vec3 step;
  Vec3Scale(dir, static_cast<float>(scale), step);
  StepAppend(curve, pos, step, 4);
}

void CurveArcAppend(Curve& curve, Vec3& pos, Vec3& dir, int n, double k) {
  if (n > 0) TurnAppend(curve, pos, dir, n, k * kArcStep);
}
