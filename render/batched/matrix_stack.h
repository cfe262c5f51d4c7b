// The fixed-function matrices on the CPU: column-major 4 x 4 matrices in single precision, as the
// compatibility profile keeps them, with the GL 1.x operations and GLU's look-at and perspective.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

using Matrix4 = std::array<float, 16>;  // column-major: element (row r, column c) at [c * 4 + r]

Matrix4 IdentityMatrix();
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);  // a x b
Matrix4 TranslationMatrix(double x, double y, double z);
Matrix4 ScaleMatrix(double x, double y, double z);
Matrix4 RotationMatrix(double degrees, double x, double y, double z);  // as glRotate
Matrix4 LookAtMatrix(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
                     double upX, double upY, double upZ);  // as gluLookAt (including its translation)
Matrix4 PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar);  // as gluPerspective

// One of the three stacks: the current matrix on top, at most `depth` deep.
class MatrixStack {
 public:
  explicit MatrixStack(size_t depth) : depth_(depth), matrices_{IdentityMatrix()} {}
  const Matrix4& Top() const { return matrices_.back(); }
  void Load(const Matrix4& m) { matrices_.back() = m; }
  void MultiplyBy(const Matrix4& m) { matrices_.back() = Multiply(matrices_.back(), m); }
  bool Push();  // false on overflow (nothing changes)
  bool Pop();   // false on underflow
  size_t Depth() const { return matrices_.size(); }

 private:
  size_t depth_;
  std::vector<Matrix4> matrices_;
};
