// Small vector steps shared by the renderers that sweep a band along a curve or a turning direction, all flat
// in the xy plane. Every step goes through the Vec3 operations, whose rounding the layouts depend on.
#pragma once

#include "effects/curve.h"
#include "render/gl_api.h"

inline const Vec3 kOutOfPlane(kVecValid, 0, 0, 1);

// from + direction * amount (amount rounded to float).
inline Vec3 Along(const Vec3& from, const Vec3& direction, double amount) {
  Vec3 scaled, out;
  Vec3Scale(direction, float(amount), scaled);
  return Vec3Add(from, scaled, out);
}

// The unit vector to the right of a direction in the xy plane: normalised (normalised d x (0, 0, 1)).
inline Vec3 SideOf(const Vec3& direction) {
  Vec3 d = direction, s;
  Vec3Normalize(d);
  Vec3Cross(d, kOutOfPlane, s);
  return Vec3Normalize(s);
}

// A copy of v turned by angle radians about z.
inline Vec3 Turned(Vec3 v, double angle) {
  return EulerRotation::AboutZ(angle).Apply(v);
}

inline Vec3 Scaled(const Vec3& v, double factor) {
  Vec3 out;
  return Vec3Scale(v, float(factor), out);
}

// Emits v's x and y with z = 0.
inline void FlatVertex(const Vec3& v) {
  glVertex3f(v.x, v.y, 0.0f);
}

// The curve point at t and the side vector of the chord toward tNext.
inline void CurveFrame(const Curve& curve, double t, double tNext, Vec3& point, Vec3& side) {
  Vec3 next, d;
  curve.Evaluate(float(t), point);
  curve.Evaluate(float(tNext), next);
  Vec3Sub(next, point, d);
  side = SideOf(d);
}
