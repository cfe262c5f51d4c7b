// Vec3: the flagged 3-vector that every effect, curve and camera uses.
//
// A Vec3 carries a state next to its coordinates: 0 unset, 1 valid, 2 unit length. The free operations
// follow fixed rules for that state (an unset operand gives the zero vector), compute in double precision
// from the float components and round to float once per stored component. Layouts of random effects depend
// on these exact rules, so they must not be "simplified" into ordinary vector maths.
#pragma once

#include <cmath>
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

// The operations below are inline: the effect renderers call them for every vertex.
namespace vec3_detail {
inline Vec3& StoreValid(Vec3& out, double x, double y, double z) {
  out.state = kVecValid;
  out.x = static_cast<float>(x);
  out.y = static_cast<float>(y);
  out.z = static_cast<float>(z);
  return out;
}
inline bool BothSet(const Vec3& a, const Vec3& b) {
  return a.state != kVecUnset && b.state != kVecUnset;
}
}  // namespace vec3_detail

// Each writes its result into `out` (which may alias an operand) and returns it.
inline Vec3& Vec3Add(const Vec3& a, const Vec3& b, Vec3& out) {
  using namespace vec3_detail;
  if (!BothSet(a, b)) return StoreValid(out, 0, 0, 0);
  return StoreValid(out, double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z);
}

inline Vec3& Vec3Sub(const Vec3& a, const Vec3& b, Vec3& out) {
  using namespace vec3_detail;
  if (!BothSet(a, b)) return StoreValid(out, 0, 0, 0);
  return StoreValid(out, double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
}

inline Vec3& Vec3Cross(const Vec3& a, const Vec3& b, Vec3& out) {
  using namespace vec3_detail;
  if (!BothSet(a, b)) return StoreValid(out, 0, 0, 0);
  const double x = double(a.y) * b.z - double(a.z) * b.y;
  const double y = double(a.z) * b.x - double(a.x) * b.z;
  const double z = double(a.x) * b.y - double(a.y) * b.x;
  return StoreValid(out, x, y, z);
}

inline Vec3& Vec3Scale(const Vec3& a, const float& s, Vec3& out) {
  using namespace vec3_detail;
  if (a.state == kVecUnset) return StoreValid(out, 0, 0, 0);
  const int32_t state = a.state;
  StoreValid(out, double(a.x) * s, double(a.y) * s, double(a.z) * s);
  out.state = state;
  return out;
}

// Normalises a valid vector in place and marks it unit; unset and unit vectors are left as they are.
inline Vec3& Vec3Normalize(Vec3& v) {
  using namespace vec3_detail;
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

// v := Rx(ax) * Ry(ay) * Rz(az) * v, angles in radians; the result is always marked valid.
Vec3& Vec3RotateEuler(Vec3& v, const double& ax, const double& ay, const double& az);

// The same rotation worked out once, for turning many vectors by the same angles: Apply gives bit for bit
// what Vec3RotateEuler gives, without its six sines and cosines.
class EulerRotation {
 public:
  EulerRotation(double ax, double ay, double az);
  // A turn about z alone: the cosines of the two zero angles are exactly 1 and their sines exactly 0, so
  // they need not be worked out.
  static EulerRotation AboutZ(double az);
  Vec3& Apply(Vec3& v) const {
    const double x = v.x, y = v.y, z = v.z;
    return vec3_detail::StoreValid(v, m_[0][0] * x + m_[0][1] * y + m_[0][2] * z,
                                   m_[1][0] * x + m_[1][1] * y + m_[1][2] * z,
                                   m_[2][0] * x + m_[2][1] * y + m_[2][2] * z);
  }

 private:
  EulerRotation(double ca, double sa, double cb, double sb, double cc, double sc);
  double m_[3][3];  // the upper-left 3x3 block of Rx(ax) * Ry(ay) * Rz(az), row-major
};

inline Vec3 Vec3::operator+(const Vec3& other) const {
  Vec3 out;
  return Vec3Add(*this, other, out);
}

inline Vec3 Vec3::operator-(const Vec3& other) const {
  Vec3 out;
  return Vec3Sub(*this, other, out);
}

inline Vec3 Vec3::Cross(const Vec3& other) const {
  Vec3 out;
  return Vec3Cross(*this, other, out);
}

inline Vec3 Vec3::operator*(float s) const {
  Vec3 out;
  return Vec3Scale(*this, s, out);
}
