#include "effects/vec3.h"

#include <cmath>

using vec3_detail::StoreValid;

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
