#include "render/batched/matrix_stack.h"

#include <cmath>
#include <numbers>

Matrix4 IdentityMatrix() {
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 product{};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      product[column * 4 + row] = sum;
    }
  }
  return product;
}

Matrix4 TranslationMatrix(double x, double y, double z) {
  Matrix4 m = IdentityMatrix();
  m[12] = float(x), m[13] = float(y), m[14] = float(z);
  return m;
}

Matrix4 ScaleMatrix(double x, double y, double z) {
  Matrix4 m = IdentityMatrix();
  m[0] = float(x), m[5] = float(y), m[10] = float(z);
  return m;
}

Matrix4 RotationMatrix(double degrees, double x, double y, double z) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return IdentityMatrix();
  x /= length, y /= length, z /= length;
  const double radians = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians), t = 1 - c;
  Matrix4 m = IdentityMatrix();
  m[0] = float(x * x * t + c), m[4] = float(x * y * t - z * s), m[8] = float(x * z * t + y * s);
  m[1] = float(y * x * t + z * s), m[5] = float(y * y * t + c), m[9] = float(y * z * t - x * s);
  m[2] = float(z * x * t - y * s), m[6] = float(z * y * t + x * s), m[10] = float(z * z * t + c);
  return m;
}

// In single precision, as GLU works it out.
Matrix4 LookAtMatrix(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
                     double upX, double upY, double upZ) {
  const auto normalise = [](float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0) return;
    for (int i = 0; i < 3; ++i) v[i] /= length;
  };
  const auto cross = [](const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
  };
  float forward[3] = {float(centreX - eyeX), float(centreY - eyeY), float(centreZ - eyeZ)};
  float up[3] = {float(upX), float(upY), float(upZ)}, side[3];
  normalise(forward);
  cross(forward, up, side);
  normalise(side);
  cross(side, forward, up);
  Matrix4 m = IdentityMatrix();
  for (int i = 0; i < 3; ++i) {
    m[i * 4 + 0] = side[i];
    m[i * 4 + 1] = up[i];
    m[i * 4 + 2] = -forward[i];
  }
  return Multiply(m, TranslationMatrix(-eyeX, -eyeY, -eyeZ));
}

Matrix4 PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar) {
  const double radians = fovy / 2 * std::numbers::pi / 180.0;
  const double depth = zFar - zNear, sine = std::sin(radians);
  if (depth == 0 || sine == 0 || aspect == 0) return IdentityMatrix();
  const double cotangent = std::cos(radians) / sine;
  Matrix4 m = IdentityMatrix();
  m[0] = float(cotangent / aspect);
  m[5] = float(cotangent);
  m[10] = float(-(zFar + zNear) / depth);
  m[11] = -1;
  m[14] = float(-2 * zNear * zFar / depth);
  m[15] = 0;
  return m;
}

bool MatrixStack::Push() {
  if (matrices_.size() >= depth_) return false;
  matrices_.push_back(matrices_.back());
  return true;
}

bool MatrixStack::Pop() {
  if (matrices_.size() <= 1) return false;
  matrices_.pop_back();
  return true;
}
