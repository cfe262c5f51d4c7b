// Curve: an ordered list of control points through which a uniform Catmull-Rom spline passes.
//
// Open curves are clamped at both ends; closed ones wrap from the last point to the first. Besides its points
// a curve carries two per-point attributes (`widths`, whose x is a ribbon's half-width, and `extra`).
// `Evaluate` is the hot path of the effect library: it allocates nothing and leaves the curve untouched. At
// most 32767 points.
#pragma once

#include <cstdint>
#include <vector>

#include "math/vec3.h"

class Curve {
 public:
  Curve();                       // empty and closed
  explicit Curve(int32_t kind);  // empty; the caller sets `closed`

  // Empties points, widths and extra; count 0, kind 3. Keeps `closed`.
  void Clear();

  // The spline point at parameter t into out's x, y, z (out's state is left as the caller set it, except
  // where an open curve is evaluated beyond an end: then out becomes that end point). Must not be called with
  // count 0.
  void Evaluate(float t, Vec3& out) const;

  // Replaces the points by numOut points equally spaced along the arc length, measured with samplesPerSegment
  // steps per segment; the same points go into widths and extra. Curves of fewer than 4 points stay as they
  // are.
  void Resample(int numOut, int samplesPerSegment);

  // Appends a control point (count follows).
  void Append(const Vec3& point) {
    points.push_back(point);
    ++count;
  }

  std::vector<Vec3> points;
  std::vector<Vec3> widths;
  std::vector<Vec3> extra;
  int32_t kind = 3;
  bool closed = true;
  int32_t count = 0;
};

// Pen builders: each appends points and leaves the pen (position, and direction for the turning ones) where
// its last step put it, so that calls chain into a figure.

// A quarter turn in the xy plane: 8 steps, each turning dir by pi/16 about z before stepping.
void CurveTurnAppend(Curve& curve, Vec3& pos, Vec3& dir);
// 15 straight steps of `step`.
void CurveLineAppend15(Curve& curve, Vec3& pos, const Vec3& step);
// 5 straight steps of `step`.
void CurveLineAppend5(Curve& curve, Vec3& pos, const Vec3& step);
// 4 straight steps of dir * scale.
void CurveStepAppend4(Curve& curve, Vec3& pos, const Vec3& dir, double scale);
// n steps (none when n <= 0), each turning dir by k * 26.4 degrees about z before stepping.
void CurveArcAppend(Curve& curve, Vec3& pos, Vec3& dir, int n, double k);
