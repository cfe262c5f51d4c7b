#include "math/vec3.h"

#include <cmath>

using vec3_detail::StoreValid;

EulerRotation::EulerRotation(double ax, double ay, double az)
    : EulerRotation(std::cos(ax), std::sin(ax), std::cos(ay), std::sin(ay), std::cos(az), std::sin(az)) {}

EulerRotation EulerRotation::AboutZ(double az) {
  return EulerRotation(1.0, 0.0, 1.0, 0.0, std::cos(az), std::sin(az));
}

EulerRotation::EulerRotation(double ca, double sa, double cb, double sb, double cc, double sc) {
  const double m[3][3] = {
      {cc * cb, -sc * cb, sb},
      {cc * sb * sa + sc * ca, cc * ca - sc * sb * sa, -cb * sa},
      {sc * sa - cc * sb * ca, sc * sb * ca + cc * sa, cb * ca},
  };
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) m_[row][column] = m[row][column];
  }
}

Vec3& Vec3RotateEuler(Vec3& v, const double& ax, const double& ay, const double& az) {
  return EulerRotation(ax, ay, az).Apply(v);
}
