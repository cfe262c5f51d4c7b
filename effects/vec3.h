// Vec3: the flagged 3-vector that every effect, curve and camera uses.
//
// A Vec3 carries a state next to its coordinates: 0 unset, 1 valid, 2 unit length. The free operations
// follow fixed rules for that state (an unset operand gives the zero vector), compute in double precision
// from the float components and round to float once per stored component. Layouts of random effects depend
// on these exact rules, so they must not be "simplified" into ordinary vector maths.
#pragma once

#include <cstdint>

enum VecState : int32_t { kVecUnset = 0, kVecValid = 1, kVecUnit = 2 };

struct Vec3 {
  int32_t state = kVecValid;
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  Vec3() = default;
  Vec3(int32_t state, float x, float y, float z) : state(state), x(x), y(y), z(z) {}

  Vec3 operator+(const Vec3& other) const;
  Vec3 operator-(const Vec3& other) const;
  Vec3 Cross(const Vec3& other) const;
  Vec3 operator*(float s) const;
};

// Point lists hand arrays of Vec3 to code that relies on this stride.
static_assert(sizeof(Vec3) == 16, "Vec3 must stay a 16-byte value");

// Each writes its result into `out` (which may alias an operand) and returns it.
Vec3& Vec3Add(const Vec3& a, const Vec3& b, Vec3& out);
Vec3& Vec3Sub(const Vec3& a, const Vec3& b, Vec3& out);
Vec3& Vec3Cross(const Vec3& a, const Vec3& b, Vec3& out);
Vec3& Vec3Scale(const Vec3& a, const float& s, Vec3& out);

// Normalises a valid vector in place and marks it unit; unset and unit vectors are left as they are.
Vec3& Vec3Normalize(Vec3& v);

// v := Rx(ax) * Ry(ay) * Rz(az) * v, angles in radians; the result is always marked valid.
Vec3& Vec3RotateEuler(Vec3& v, const double& ax, const double& ay, const double& az);
