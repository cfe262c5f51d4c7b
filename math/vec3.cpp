#include "math/vec3.h"

#include <cmath>

using vec3_detail::StoreValid;

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
