#include "effects/vec3.h"

#include <cmath>

namespace {

Vec3& StoreValid(Vec3& out, double x, double y, double z) {
  out.state = kVecValid;
  out.x = static_cast<float>(x);
  out.y = static_cast<float>(y);
  out.z = static_cast<float>(z);
  return out;
}

bool BothSet(const Vec3& a, const Vec3& b) {
  return a.state != kVecUnset && b.state != kVecUnset;
}

}  // namespace

Vec3& Vec3Add(const Vec3& a, const Vec3& b, Vec3& out) {
  if (!BothSet(a, b)) return StoreValid(out, 0, 0, 0);
  return StoreValid(out, double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z);
}

Vec3& Vec3Sub(const Vec3& a, const Vec3& b, Vec3& out) {
  if (!BothSet(a, b)) return StoreValid(out, 0, 0, 0);
  return StoreValid(out, double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
}

Vec3& Vec3Cross(const Vec3& a, const Vec3& b, Vec3& out) {
  if (!BothSet(a, b)) return StoreValid(out, 0, 0, 0);
  const double x = double(a.y) * b.z - double(a.z) * b.y;
  const double y = double(a.z) * b.x - double(a.x) * b.z;
  const double z = double(a.x) * b.y - double(a.y) * b.x;
  return StoreValid(out, x, y, z);
}

Vec3& Vec3Scale(const Vec3& a, const float& s, Vec3& out) {
  if (a.state == kVecUnset) return StoreValid(out, 0, 0, 0);
  const int32_t state = a.state;
  StoreValid(out, double(a.x) * s, double(a.y) * s, double(a.z) * s);
  out.state = state;
  return out;
}

Vec3& Vec3Normalize(Vec3& v) {
  if (v.state != kVecValid) return v;
  const double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
  if (length < 1e-8) {
    StoreValid(v, 0, 0, 0);
  } else {
    const double inverse = 1.0 / length;
    StoreValid(v, v.x * inverse, v.y * inverse, v.z * inverse);
  }
  v.state = kVecUnit;
  return v;
}

Vec3& Vec3RotateEuler(Vec3& v, const double& ax, const double& ay, const double& az) {
  const double ca = std::cos(ax), sa = std::sin(ax);
  const double cb = std::cos(ay), sb = std::sin(ay);
  const double cc = std::cos(az), sc = std::sin(az);
  // Upper-left 3x3 block of Rx(ax) * Ry(ay) * Rz(az), row-major.
  const double m[3][3] = {
      {cc * cb, -sc * cb, sb},
      {cc * sb * sa + sc * ca, cc * ca - sc * sb * sa, -cb * sa},
      {sc * sa - cc * sb * ca, sc * sb * ca + cc * sa, cb * ca},
  };
  const double x = v.x, y = v.y, z = v.z;
  return StoreValid(v, m[0][0] * x + m[0][1] * y + m[0][2] * z, m[1][0] * x + m[1][1] * y + m[1][2] * z,
                    m[2][0] * x + m[2][1] * y + m[2][2] * z);
}

Vec3 Vec3::operator+(const Vec3& other) const {
  Vec3 out;
  return Vec3Add(*this, other, out);
}

Vec3 Vec3::operator-(const Vec3& other) const {
  Vec3 out;
  return Vec3Sub(*this, other, out);
}

Vec3 Vec3::Cross(const Vec3& other) const {
  Vec3 out;
  return Vec3Cross(*this, other, out);
}

Vec3 Vec3::operator*(float s) const {
  Vec3 out;
  return Vec3Scale(*this, s, out);
}
